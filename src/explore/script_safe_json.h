// JSON that can sit inside an HTML <script> element: "<", ">" and "&" are
// written as \u003c, \u003e and \u0026 (so no "</script>" or "<!--" in a
// value can end the element or change how the page parser reads it), and
// U+2028/U+2029 as \u2028/\u2029. Invalid UTF-8 in a string becomes U+FFFD
// instead of throwing: dictionary names are not ours to trust.
#ifndef ZOR_EXPLORE_SCRIPT_SAFE_JSON_H_
#define ZOR_EXPLORE_SCRIPT_SAFE_JSON_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

void AppendScriptSafeJson(std::string& out, const nlohmann::json& value);
std::string ScriptSafeJson(const nlohmann::json& value);

// Appends a JSON string literal holding `text`.
void AppendScriptSafeString(std::string& out, std::string_view text);

#endif  // ZOR_EXPLORE_SCRIPT_SAFE_JSON_H_
