# Turns the review's page (review_page.html with its @STYLE@ and @SCRIPT@
# markers, review_page.css, and the script's parts, joined in the order
# given inside one closure) into a C++ header at build time, with the
# SHA-256 of the style and of the script, which the page's
# Content-Security-Policy names. Like the explorer page's embedding.
#
#   cmake -DPAGE_DIR=dir -DSCRIPT_FILES=a.js,b.js -DOUTPUT=header.h -P embed_review_page.cmake

function(embed_bytes variable file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){24})" "\\1\n    " bytes "${bytes}")
  set(${variable} "    ${bytes}" PARENT_SCOPE)
  set(${variable}_SIZE ${size} PARENT_SCOPE)
endfunction()

file(READ "${PAGE_DIR}/review_page.html" html)
set(position -1)
foreach(marker @STYLE@ @SCRIPT@)
  string(FIND "${html}" "${marker}" found)
  string(FIND "${html}" "${marker}" found_last REVERSE)
  if(found EQUAL -1 OR NOT found EQUAL found_last OR found LESS position)
    message(FATAL_ERROR "review_page.html must hold ${marker} once, after the markers before it")
  endif()
  set(position ${found})
endforeach()

string(REPLACE "," ";" parts "${SCRIPT_FILES}")
set(script "'use strict';\n(() => {\n")
foreach(part ${parts})
  file(READ "${part}" text)
  get_filename_component(name "${part}" NAME)
  string(APPEND script "// ---- ${name}\n${text}")
endforeach()
string(APPEND script "})();\n")
set(script_file "${OUTPUT}.js")
file(WRITE "${script_file}" "${script}")

foreach(file "${PAGE_DIR}/review_page.css" "${script_file}")
  file(READ "${file}" text)
  string(TOLOWER "${text}" lower)
  string(FIND "${lower}" "</" closing)
  string(FIND "${lower}" "<!--" comment)
  if(NOT closing EQUAL -1 OR NOT comment EQUAL -1)
    message(FATAL_ERROR "the page's style and script must not contain \"</\" or \"<!--\" (${file})")
  endif()
endforeach()

embed_bytes(HTML_BYTES "${PAGE_DIR}/review_page.html")
embed_bytes(CSS_BYTES "${PAGE_DIR}/review_page.css")
embed_bytes(JS_BYTES "${script_file}")
file(SHA256 "${PAGE_DIR}/review_page.css" CSS_SHA256)
file(SHA256 "${script_file}" JS_SHA256)

file(WRITE "${OUTPUT}.new" "// Generated from src/review/review_page.{html,css} and the page's scripts by embed_review_page.cmake.
#ifndef ZOR_REVIEW_REVIEW_PAGE_DATA_H_
#define ZOR_REVIEW_REVIEW_PAGE_DATA_H_

namespace review_page_data {

inline constexpr char kHtml[${HTML_BYTES_SIZE} + 1] = {
${HTML_BYTES}'\\0'};
inline constexpr char kCss[${CSS_BYTES_SIZE} + 1] = {
${CSS_BYTES}'\\0'};
inline constexpr char kJs[${JS_BYTES_SIZE} + 1] = {
${JS_BYTES}'\\0'};
inline constexpr unsigned long kHtmlSize = ${HTML_BYTES_SIZE};
inline constexpr unsigned long kCssSize = ${CSS_BYTES_SIZE};
inline constexpr unsigned long kJsSize = ${JS_BYTES_SIZE};
inline constexpr char kCssSha256Hex[] = \"${CSS_SHA256}\";
inline constexpr char kJsSha256Hex[] = \"${JS_SHA256}\";

}  // namespace review_page_data

#endif  // ZOR_REVIEW_REVIEW_PAGE_DATA_H_
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
