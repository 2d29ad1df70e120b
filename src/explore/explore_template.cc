#include "explore/explore_template.h"

#include <cstdint>
#include <vector>

#include "explore/explore_template_data.h"

const ExploreTemplate& EmbeddedExploreTemplate() {
  namespace data = explore_template_data;
  static const ExploreTemplate kTemplate{
      std::string_view(data::kHtml, data::kHtmlSize),
      std::string_view(data::kCss, data::kCssSize),
      std::string_view(data::kJs, data::kJsSize),
  };
  return kTemplate;
}

std::string HexToBase64(std::string_view hex) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  auto nibble = [](char c) -> uint32_t {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return c - 'A' + 10;
  };
  std::vector<uint32_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(nibble(hex[i]) << 4 | nibble(hex[i + 1]));
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    size_t have = bytes.size() - i < 3 ? bytes.size() - i : 3;
    uint32_t group =
        bytes[i] << 16 | (have > 1 ? bytes[i + 1] << 8 : 0) | (have > 2 ? bytes[i + 2] : 0);
    for (size_t k = 0; k < 4; ++k) {
      out += k <= have ? kDigits[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
  }
  return out;
}

std::string ExploreContentSecurityPolicy() {
  namespace data = explore_template_data;
  return "default-src 'none'; script-src 'sha256-" + HexToBase64(data::kJsSha256Hex) +
         "'; style-src 'sha256-" + HexToBase64(data::kCssSha256Hex) +
         "'; base-uri 'none'; form-action 'none'";
}
