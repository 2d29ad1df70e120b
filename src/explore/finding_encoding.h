// The compact form in which the page carries the parts of a finding record:
// positions instead of field names, and no repetition of the class on each
// attribute. A missing or mistyped field is written as the empty value of
// its kind rather than refused, so that one odd record cannot cost the page.
#ifndef ZOR_EXPLORE_FINDING_ENCODING_H_
#define ZOR_EXPLORE_FINDING_ENCODING_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

// The member `name` of `object`, or null.
const nlohmann::json& FieldOf(const nlohmann::json& object, std::string_view name);

// The string `value` holds, or "".
std::string_view TextOf(const nlohmann::json& value);

// A string, or "" for anything else.
void AppendText(std::string& out, const nlohmann::json& value);
// An object as it is, or null.
void AppendTarget(std::string& out, const nlohmann::json& target);
// {"line":N,"text":S} as [N,S], or null.
void AppendRow(std::string& out, const nlohmann::json& row);
// {"ddl":D,"mapping_rows":[...]} as [D,[...]], or null.
void AppendProposal(std::string& out, const nlohmann::json& proposal);

#endif  // ZOR_EXPLORE_FINDING_ENCODING_H_
