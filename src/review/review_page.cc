#include "review/review_page.h"

#include <string_view>

#include "explore/explore_template.h"
#include "review/review_page_data.h"

const std::string& ReviewPageHtml() {
  namespace data = review_page_data;
  static const std::string kPage = [] {
    std::string html(data::kHtml, data::kHtmlSize);
    for (auto [marker, text] :
         {std::pair<std::string_view, std::string_view>{"@STYLE@", {data::kCss, data::kCssSize}},
          {"@SCRIPT@", {data::kJs, data::kJsSize}}}) {
      html.replace(html.find(marker), marker.size(), text);
    }
    return html;
  }();
  return kPage;
}

std::string ReviewPagePolicy() {
  namespace data = review_page_data;
  return "default-src 'none'; script-src 'sha256-" + HexToBase64(data::kJsSha256Hex) +
         "'; style-src 'sha256-" + HexToBase64(data::kCssSha256Hex) +
         "'; connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'";
}
