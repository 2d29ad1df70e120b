#include "bench/suggestion_record_reader.h"

#include <cmath>

namespace {

using Json = nlohmann::json;

const Json& Field(const Json& object, const char* name) {
  static const Json kNull;
  if (!object.is_object()) return kNull;
  auto at = object.find(name);
  return at == object.end() ? kNull : *at;
}

std::string Text(const Json& value) { return value.is_string() ? value.get<std::string>() : ""; }

long Whole(const Json& value) {
  if (!value.is_number()) return 0;
  const double number = value.get<double>();
  return std::isfinite(number) && std::abs(number) < 1e15 ? static_cast<long>(number) : 0;
}

RecordCandidate CandidateOf(const Json& value, bool for_class) {
  RecordCandidate candidate;
  if (!for_class) candidate.target_class = Text(Field(value, "class"));
  candidate.key = Text(Field(value, "key"));
  candidate.label = Text(Field(value, "label"));
  if (for_class) candidate.parent = Text(Field(value, "parent"));
  const Json& score = Field(value, "score");
  candidate.score = score.is_number() ? score.get<double>() : 0;
  const Json& evidence = Field(value, "evidence");
  if (evidence.is_array()) {
    for (const Json& word : evidence) candidate.evidence.push_back(Text(word));
  }
  const Json& taken = Field(value, "taken_by");
  candidate.taken_by_row = Whole(Field(taken, "row"));
  if (candidate.taken_by_row <= 0) {
    candidate.taken_by_row = 0;
    candidate.taken_by_class = Text(Field(taken, "class"));
    candidate.taken_by_attribute = Text(Field(taken, "attribute"));
  }
  candidate.tied = Field(value, "tied") == true;
  return candidate;
}

}  // namespace

std::optional<SuggestionRecord> ReadSuggestionRecord(const Json& value) {
  if (Text(Field(value, "record")) != "suggestion") return std::nullopt;
  const std::string kind = Text(Field(value, "for"));
  if (kind != "class" && kind != "attribute") return std::nullopt;
  SuggestionRecord record;
  record.for_class = kind == "class";
  record.reason = Text(Field(value, "reason"));
  const Json& source = Field(value, "class");
  record.class_label = Text(Field(source, "label"));
  record.class_key = Text(Field(source, "key"));
  record.class_parent = Text(Field(source, "parent"));
  const Json& attribute = Field(value, "attribute");
  record.attribute_label = Text(Field(attribute, "label"));
  record.attribute_key = Text(Field(attribute, "key"));
  const Json& row = Field(value, "row");
  if (row.is_object())
    record.row = TableRowRef{Whole(Field(row, "line")), Text(Field(row, "text"))};
  const Json& candidates = Field(value, "candidates");
  if (candidates.is_array()) {
    for (const Json& candidate : candidates)
      record.candidates.push_back(CandidateOf(candidate, record.for_class));
  }
  const Json& accepted = Field(value, "accepted");
  if (record.for_class && accepted.is_string()) {
    record.accepted = true;
    record.accepted_key = accepted.get<std::string>();
  } else if (!record.for_class && accepted.is_object()) {
    record.accepted = true;
    record.accepted_class = Text(Field(accepted, "class"));
    record.accepted_key = Text(Field(accepted, "key"));
  }
  record.no_mapping = Field(value, "no_mapping") == true;
  record.row_written = Field(value, "row_written") != false;
  record.why = Text(Field(value, "why"));
  record.note = Text(Field(value, "note"));
  return record;
}
