# Turns the explorer page's template files into a C++ header at build time,
# so the page, its style and its script stay ordinary files that editors,
# linters and Node's test runner understand. The script is made of the files
# of page/ named in SCRIPT_PARTS, in that order, inside one closure: the page
# stays one file, and its parts leave no name behind in the window. Also
# records the SHA-256 of the style and the script: the page's
# Content-Security-Policy allows exactly those two inline blocks.
#
#   cmake -DTEMPLATE_DIR=dir -DSCRIPT_PARTS=a.js,b.js -DOUTPUT=header.h -P embed_template.cmake

function(embed_bytes variable file)
  file(READ "${file}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # 24 bytes a line keeps the generated header readable in a diff viewer.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){24})" "\\1\n    " bytes "${bytes}")
  set(${variable} "    ${bytes}" PARENT_SCOPE)
  set(${variable}_SIZE ${size} PARENT_SCOPE)
endfunction()

file(READ "${TEMPLATE_DIR}/explore_page.html" html)
set(position -1)
foreach(marker @CSP@ @STYLE@ @INDEX@ @SCRIPT@ @CHUNKS@)
  string(FIND "${html}" "${marker}" found)
  string(FIND "${html}" "${marker}" found_last REVERSE)
  if(found EQUAL -1 OR NOT found EQUAL found_last OR found LESS position)
    message(FATAL_ERROR "explore_page.html must hold ${marker} once, after the markers before it")
  endif()
  set(position ${found})
endforeach()

string(REPLACE "," ";" parts "${SCRIPT_PARTS}")
set(script "'use strict';\n(() => {\n")
foreach(part ${parts})
  file(READ "${TEMPLATE_DIR}/page/${part}" text)
  string(APPEND script "// ---- page/${part}\n${text}")
endforeach()
string(APPEND script "})();\n")
set(script_file "${OUTPUT}.js")
file(WRITE "${script_file}" "${script}")

# The style and script go inside <style> and <script> elements as they are:
# a closing tag inside them would end the element early.
foreach(file "${TEMPLATE_DIR}/explore_page.css" "${script_file}")
  file(READ "${file}" text)
  string(TOLOWER "${text}" lower)
  string(FIND "${lower}" "</" closing)
  string(FIND "${lower}" "<!--" comment)
  if(NOT closing EQUAL -1 OR NOT comment EQUAL -1)
    message(FATAL_ERROR "the page's style and script must not contain \"</\" or \"<!--\" (${file})")
  endif()
endforeach()

embed_bytes(HTML_BYTES "${TEMPLATE_DIR}/explore_page.html")
embed_bytes(CSS_BYTES "${TEMPLATE_DIR}/explore_page.css")
embed_bytes(JS_BYTES "${script_file}")
file(SHA256 "${TEMPLATE_DIR}/explore_page.css" CSS_SHA256)
file(SHA256 "${script_file}" JS_SHA256)

file(WRITE "${OUTPUT}.new" "// Generated from src/explore/explore_page.{html,css} and src/explore/page/*.js by embed_template.cmake.
#ifndef ZOR_EXPLORE_TEMPLATE_DATA_H_
#define ZOR_EXPLORE_TEMPLATE_DATA_H_

namespace explore_template_data {

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

}  // namespace explore_template_data

#endif  // ZOR_EXPLORE_TEMPLATE_DATA_H_
")
# Only a changed header triggers recompiling what includes it.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
