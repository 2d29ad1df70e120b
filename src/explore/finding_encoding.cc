#include "explore/finding_encoding.h"

#include "explore/script_safe_json.h"

namespace {

const nlohmann::json kNull;

}  // namespace

const nlohmann::json& FieldOf(const nlohmann::json& object, std::string_view name) {
  if (!object.is_object()) return kNull;
  auto found = object.find(name);
  return found == object.end() ? kNull : *found;
}

std::string_view TextOf(const nlohmann::json& value) {
  return value.is_string() ? std::string_view(value.get_ref<const std::string&>()) : "";
}

void AppendText(std::string& out, const nlohmann::json& value) {
  if (value.is_string()) {
    AppendScriptSafeJson(out, value);
  } else {
    out += "\"\"";
  }
}

void AppendTarget(std::string& out, const nlohmann::json& target) {
  if (target.is_object()) {
    AppendScriptSafeJson(out, target);
  } else {
    out += "null";
  }
}

void AppendRow(std::string& out, const nlohmann::json& row) {
  if (!row.is_object()) {
    out += "null";
    return;
  }
  const nlohmann::json& line = FieldOf(row, "line");
  out += '[';
  out += line.is_number_integer() ? line.dump() : "0";
  out += ',';
  AppendText(out, FieldOf(row, "text"));
  out += ']';
}

void AppendProposal(std::string& out, const nlohmann::json& proposal) {
  if (!proposal.is_object()) {
    out += "null";
    return;
  }
  const nlohmann::json& ddl = FieldOf(proposal, "ddl");
  out += '[';
  if (ddl.is_string()) {
    AppendScriptSafeJson(out, ddl);
  } else {
    out += "null";
  }
  out += ",[";
  const nlohmann::json& rows = FieldOf(proposal, "mapping_rows");
  if (rows.is_array()) {
    bool first = true;
    for (const nlohmann::json& row : rows) {
      if (!first) out += ',';
      first = false;
      AppendText(out, row);
    }
  }
  out += "]]";
}
