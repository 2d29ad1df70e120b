// Arbitrary bytes as what reaches the review's server: the first lines as
// a request's method, path and headers for its guard, the rest as the JSON
// body of each kind of change. No request passes the guard without the
// review's token (in its cookie, or in the page's address on a first
// visit) and its host name, no change without its page's origin; a body
// read as a request holds exactly one decision. Any failure aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "review/request_guard.h"
#include "review/review_requests.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "review_request_fuzzer: %s\n", what);
  std::abort();
}

constexpr char kToken[] = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

// The input's first eight lines, and what follows them.
std::vector<std::string_view> Lines(std::string_view bytes, std::string_view& rest) {
  std::vector<std::string_view> lines;
  while (lines.size() < 8) {
    const size_t end = bytes.find('\n');
    if (end == std::string_view::npos) break;
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
  }
  lines.resize(8);
  rest = bytes;
  return lines;
}

void CheckGuard(const std::vector<std::string_view>& lines) {
  static const RequestGuard guard(kToken, 4567);
  const GuardedRequest request{lines[0], lines[1], lines[2], lines[3],         lines[4],
                               lines[5], lines[6], lines[7], !lines[7].empty()};
  const GuardAnswer answer = guard.Check(request);
  if (answer.status != 0) {
    Require(!answer.reason.empty(), "a refusal without its reason");
    return;
  }
  Require(request.host == "127.0.0.1:4567", "a request under another name passed");
  const bool in_cookie =
      request.cookie.find(std::string("zorvez-review-4567=") + kToken) != std::string_view::npos;
  Require(in_cookie || (answer.set_cookie && request.query_token == kToken && request.path == "/"),
          "a request passed without the token");
  if (request.method == "POST") {
    Require(request.origin == guard.Origin(), "a change from another origin passed");
    Require(!answer.set_cookie, "a change passed on the address's token");
  }
}

void CheckBodies(std::string_view body) {
  std::string problem;
  if (const auto decide = ReadDecideRequest(body, problem)) {
    Require(problem.empty(), "a request read with a problem");
    Require(!decide->item.for_attribute || body.find("attribute") != std::string_view::npos,
            "an attribute made up");
    if (decide->kind == DecideRequest::Kind::kTyped)
      Require(body.find("typed") != std::string_view::npos, "a typed text made up");
  } else {
    Require(!problem.empty(), "a request refused without its reason");
  }
  problem.clear();
  if (const auto apply = ReadApplyRequest(body, problem)) {
    for (long line : apply->retargets) Require(line >= 1, "a table line before the first");
  } else {
    Require(!problem.empty(), "an apply refused without its reason");
  }
  problem.clear();
  if (!ReadAcceptToolsRequest(body, problem)) Require(!problem.empty(), "refused without reason");
  problem.clear();
  if (!ReadShowingRequest(body, problem)) Require(!problem.empty(), "refused without reason");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string_view rest;
  CheckGuard(Lines(bytes, rest));
  CheckBodies(bytes);
  CheckBodies(rest);
  return 0;
}
