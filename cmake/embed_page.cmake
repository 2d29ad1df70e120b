# Turns a page made of ordinary files (its HTML with markers, its style and
# its script's parts, which editors, linters and Node's test runner
# understand) into a C++ header at build time. The script's parts are joined
# in the order given inside one closure: the page stays one file, and its
# parts leave no name behind in the window. Also records the SHA-256 of the
# style and the script: the page's Content-Security-Policy allows exactly
# those two inline blocks. Both pages of the tool are made so.
#
#   cmake -DHTML=page.html -DCSS=page.css -DSCRIPT_FILES=a.js,b.js -DMARKERS=@STYLE@,@SCRIPT@
#         -DNAMESPACE=page_data -DGUARD=ZOR_PAGE_DATA_H_ -DOUTPUT=header.h -P embed_page.cmake
# The markers must each stand in the HTML once, in the order given.

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

get_filename_component(html_name "${HTML}" NAME)
file(READ "${HTML}" html)
set(position -1)
string(REPLACE "," ";" markers "${MARKERS}")
foreach(marker ${markers})
  string(FIND "${html}" "${marker}" found)
  string(FIND "${html}" "${marker}" found_last REVERSE)
  if(found EQUAL -1 OR NOT found EQUAL found_last OR found LESS position)
    message(FATAL_ERROR "${html_name} must hold ${marker} once, after the markers before it")
  endif()
  set(position ${found})
endforeach()

string(REPLACE "," ";" parts "${SCRIPT_FILES}")
set(script "'use strict';\n(() => {\n")
foreach(part ${parts})
  file(READ "${part}" text)
  get_filename_component(part_name "${part}" NAME)
  string(APPEND script "// ---- ${part_name}\n${text}")
endforeach()
string(APPEND script "})();\n")
set(script_file "${OUTPUT}.js")
file(WRITE "${script_file}" "${script}")

# The style and script go inside <style> and <script> elements as they are:
# a closing tag inside them would end the element early.
foreach(file "${CSS}" "${script_file}")
  file(READ "${file}" text)
  string(TOLOWER "${text}" lower)
  string(FIND "${lower}" "</" closing)
  string(FIND "${lower}" "<!--" comment)
  if(NOT closing EQUAL -1 OR NOT comment EQUAL -1)
    message(FATAL_ERROR "the page's style and script must not contain \"</\" or \"<!--\" (${file})")
  endif()
endforeach()

embed_bytes(HTML_BYTES "${HTML}")
embed_bytes(CSS_BYTES "${CSS}")
embed_bytes(JS_BYTES "${script_file}")
file(SHA256 "${CSS}" CSS_SHA256)
file(SHA256 "${script_file}" JS_SHA256)

file(WRITE "${OUTPUT}.new" "// Generated from ${html_name}, its style and its script by embed_page.cmake.
#ifndef ${GUARD}
#define ${GUARD}

namespace ${NAMESPACE} {

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

}  // namespace ${NAMESPACE}

#endif  // ${GUARD}
")
# Only a changed header triggers recompiling what includes it.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
