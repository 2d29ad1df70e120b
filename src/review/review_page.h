// The review's page: one HTML document with its style and script inside
// (compiled in from src/review/review_page.{html,css} and page/), which
// asks its server for everything it shows.
#ifndef ZOR_REVIEW_REVIEW_PAGE_H_
#define ZOR_REVIEW_REVIEW_PAGE_H_

#include <string>

const std::string& ReviewPageHtml();

// Its Content-Security-Policy: its own style and script alone (by their
// SHA-256), requests to its own server alone, no form, never in a frame.
std::string ReviewPagePolicy();

#endif  // ZOR_REVIEW_REVIEW_PAGE_H_
