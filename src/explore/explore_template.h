// The page template (HTML with @CSP@, @STYLE@, @INDEX@, @SCRIPT@ and
// @CHUNKS@ markers, in that order), its style sheet and its script, compiled
// in from src/explore/explore_page.{html,css,js}.
#ifndef ZOR_EXPLORE_EXPLORE_TEMPLATE_H_
#define ZOR_EXPLORE_EXPLORE_TEMPLATE_H_

#include <string>
#include <string_view>

struct ExploreTemplate {
  std::string_view html;
  std::string_view css;
  std::string_view js;
};

const ExploreTemplate& EmbeddedExploreTemplate();

// The page may fetch nothing at all, and runs only its own style sheet and
// script, named by their SHA-256 hashes: a script or style that data managed
// to smuggle in would not run.
std::string ExploreContentSecurityPolicy();

// Base64 of the bytes that `hex` spells (two hexadecimal digits a byte).
std::string HexToBase64(std::string_view hex);

#endif  // ZOR_EXPLORE_EXPLORE_TEMPLATE_H_
