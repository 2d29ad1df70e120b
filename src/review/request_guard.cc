#include "review/request_guard.h"

namespace {

// Compares in a time that does not depend on where the texts differ.
bool SameSecret(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (size_t i = 0; i < a.size(); ++i) differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  return differ == 0;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Whether the media type is application/json, with parameters or none.
bool IsJson(std::string_view content_type) {
  const std::string_view type = Trimmed(content_type.substr(0, content_type.find(';')));
  constexpr std::string_view kJson = "application/json";
  if (type.size() != kJson.size()) return false;
  for (size_t i = 0; i < type.size(); ++i) {
    const char c =
        type[i] >= 'A' && type[i] <= 'Z' ? static_cast<char>(type[i] - 'A' + 'a') : type[i];
    if (c != kJson[i]) return false;
  }
  return true;
}

GuardAnswer Refused(int status, std::string reason) { return {status, std::move(reason), false}; }

}  // namespace

RequestGuard::RequestGuard(std::string token, int port)
    : token_(std::move(token)),
      host_("127.0.0.1:" + std::to_string(port)),
      origin_("http://" + host_),
      cookie_name_("zorvez-review-" + std::to_string(port)) {}

std::string RequestGuard::CookieHeader() const {
  return cookie_name_ + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict";
}

bool RequestGuard::TokenIn(std::string_view cookie) const {
  while (!cookie.empty()) {
    const size_t end = cookie.find(';');
    const std::string_view pair = Trimmed(cookie.substr(0, end));
    const size_t equals = pair.find('=');
    if (equals != std::string_view::npos && pair.substr(0, equals) == cookie_name_ &&
        SameSecret(pair.substr(equals + 1), token_)) {
      return true;
    }
    if (end == std::string_view::npos) break;
    cookie.remove_prefix(end + 1);
  }
  return false;
}

GuardAnswer RequestGuard::Check(const GuardedRequest& request) const {
  if (request.host != host_)
    return Refused(403, "this server answers only as " + host_ + ", not as another name");
  const bool changes = request.method == "POST";
  if (!changes && request.method != "GET" && request.method != "HEAD")
    return Refused(405, "this server answers only GET and POST");
  GuardAnswer answer;
  if (!TokenIn(request.cookie)) {
    const bool first_visit = !changes && request.path == "/" && !request.query_token.empty() &&
                             SameSecret(request.query_token, token_);
    if (!first_visit)
      return Refused(403,
                     "open the address the review printed when it started: it carries its token");
    answer.set_cookie = true;
  }
  if (!changes) return answer;
  if (request.origin != origin_)
    return Refused(403, "a change must come from the review's own page");
  if (!request.fetch_site.empty() && request.fetch_site != "same-origin")
    return Refused(403, "a change must come from the review's own page");
  if (!IsJson(request.content_type)) return Refused(415, "a change is sent as JSON");
  if (!request.sized) return Refused(411, "a change says the length of its body");
  return answer;
}
