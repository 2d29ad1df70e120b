#include "explore/script_safe_json.h"

namespace {

// The JSON text holds the three ASCII characters only inside strings, where
// the escape means the same character.
void AppendEscaped(std::string& out, std::string_view json) {
  out.reserve(out.size() + json.size());
  for (size_t i = 0; i < json.size(); ++i) {
    char c = json[i];
    if (c == '<') {
      out += "\\u003c";
    } else if (c == '>') {
      out += "\\u003e";
    } else if (c == '&') {
      out += "\\u0026";
    } else if (c == '\xE2' && i + 2 < json.size() && json[i + 1] == '\x80' &&
               (json[i + 2] == '\xA8' || json[i + 2] == '\xA9')) {
      out += json[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
      i += 2;
    } else {
      out += c;
    }
  }
}

// Printable ASCII that neither JSON nor the page escapes: most names are, and
// they need no trip through the JSON library.
bool WrittenAsIs(std::string_view text) {
  for (char c : text) {
    if (c < 0x20 || c > 0x7e || c == '"' || c == '\\' || c == '<' || c == '>' || c == '&') {
      return false;
    }
  }
  return true;
}

}  // namespace

void AppendScriptSafeJson(std::string& out, const nlohmann::json& value) {
  if (value.is_string()) {
    AppendScriptSafeString(out, value.get_ref<const std::string&>());
    return;
  }
  AppendEscaped(out, value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

std::string ScriptSafeJson(const nlohmann::json& value) {
  std::string out;
  AppendScriptSafeJson(out, value);
  return out;
}

void AppendScriptSafeString(std::string& out, std::string_view text) {
  if (WrittenAsIs(text)) {
    out += '"';
    out += text;
    out += '"';
    return;
  }
  AppendEscaped(
      out, nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}
