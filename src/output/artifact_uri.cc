#include "output/artifact_uri.h"

#include <algorithm>

namespace {

bool Unreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

// The path with '/' alone between its segments; "." segments and repeated
// separators are dropped, as they name nothing.
std::string Slashed(std::string_view path, PathStyle style) {
  std::string text(path);
  if (style == PathStyle::kWindows) {
    for (char& c : text) {
      if (c == '\\') c = '/';
    }
  }
  // A Windows share keeps both of its leading separators.
  const bool share = style == PathStyle::kWindows && text.starts_with("//");
  std::string result = share ? "//" : text.starts_with("/") ? "/" : "";
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find('/', start), text.size());
    std::string_view segment(text.data() + start, end - start);
    start = end + 1;
    if (segment.empty() || segment == ".") continue;
    if (!result.empty() && result.back() != '/') result += '/';
    result += segment;
  }
  return result;
}

bool IsAbsolute(std::string_view slashed, PathStyle style) {
  if (!slashed.empty() && slashed[0] == '/') return true;
  return style == PathStyle::kWindows && slashed.size() >= 2 && slashed[1] == ':';
}

std::string AbsoluteUri(const std::string& slashed, PathStyle style) {
  // "/home/me" and, on Windows, "C:/Users" or "//server/share".
  bool drive = style == PathStyle::kWindows && slashed.size() >= 2 && slashed[1] == ':';
  if (style == PathStyle::kWindows && slashed.starts_with("//")) {
    return "file:" + PercentEncoded(slashed);
  }
  return std::string(drive ? "file:///" : "file://") + PercentEncoded(slashed, true);
}

}  // namespace

std::string PercentEncoded(std::string_view path, bool keep_colon) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(path.size());
  for (char c : path) {
    if (Unreserved(c) || c == '/' || (keep_colon && c == ':')) {
      text += c;
      continue;
    }
    auto byte = static_cast<unsigned char>(c);
    text += '%';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xf];
  }
  return text;
}

std::string FolderUri(std::string_view folder, PathStyle style) {
  std::string uri = AbsoluteUri(Slashed(folder, style), style);
  if (uri.back() != '/') uri += '/';
  return uri;
}

ArtifactUri ArtifactUriOf(std::string_view path, std::string_view folder, PathStyle style) {
  std::string slashed = Slashed(path, style);
  if (!IsAbsolute(slashed, style)) return {PercentEncoded(slashed), true};
  std::string base = Slashed(folder, style);
  if (!base.empty() && base.back() != '/') base += '/';
  if (slashed.size() > base.size() && slashed.starts_with(base)) {
    return {PercentEncoded(std::string_view(slashed).substr(base.size())), true};
  }
  return {AbsoluteUri(slashed, style), false};
}
