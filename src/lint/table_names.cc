#include "lint/table_names.h"

#include <deque>
#include <optional>

#include "dictionary/parsed_line.h"
#include "lint/dictionary_name_reader.h"
#include "lint/dropped_rows.h"
#include "merge/ddl_name.h"
#include "text/quoted_value.h"
#include "text/zor_string.h"

namespace {

std::string_view WithoutLineEnd(std::string_view field) {
  while (!field.empty() && (field.back() == '\n' || field.back() == '\r')) field.remove_suffix(1);
  return field;
}

// The first seven fields as the reader splits and unescapes them, without
// the line end the last one carries.
std::vector<std::string> Fields(const TextLine& line) {
  std::string text(line.content);
  text += '\n';
  std::deque<std::string> pool;
  ParsedLine parsed = ParseLine(text, pool);
  std::vector<std::string> fields;
  for (MappingColumn column : kMappingColumns) {
    fields.emplace_back(WithoutLineEnd(parsed.Plain(column)));
  }
  return fields;
}

std::string Hint(const NameHints& names, const std::string& name) {
  std::optional<std::string> close = names.DidYouMean(name);
  return close ? "; did you mean " + Quoted(*close) + "?" : "";
}

Hazard Named(HazardCode code, HazardSeverity severity, long line, long column,
             std::string message) {
  return {code, severity, line, column, std::move(message), ""};
}

}  // namespace

TableNames::TableNames(const PassProfile& profile, MigrationXMLNode* source_root,
                       MigrationXMLNode* target_root, BatchHazards more)
    : profile_(profile),
      source_root_(source_root),
      target_root_(target_root),
      more_(std::move(more)) {
  if (source_root) ReadSourceNames(profile, source_root, source_);
  if (target_root) ReadTargetNames(profile, target_root, target_);
}

void TableNames::Scan(const std::vector<TextLine>& lines, std::string& text,
                      Hazards& hazards) const {
  for (size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    if (line.content.find(',') == std::string_view::npos) continue;
    if (line.content.find("No Mapping") != std::string_view::npos) continue;
    std::vector<std::string> fields = Fields(line);
    if (fields[0].empty()) continue;
    long number = static_cast<long>(i + 1);
    if (fields[2] == "*") {
      ScanClassRow(fields, number, hazards);
    } else {
      ScanAttributeRow(fields, number, hazards);
    }
  }
  if (source_root_ && target_root_) {
    size_t size = 0;
    for (const TextLine& line : lines) size += line.Text().size();
    if (size == text.size()) {
      ScanDroppedRows(profile_, source_root_, target_root_, text, hazards, more_);
      return;
    }
    // Lines that are not the whole text (never from SplitLines): their own.
    std::string own;
    own.reserve(size + 1);
    for (const TextLine& line : lines) own += line.Text();
    ScanDroppedRows(profile_, source_root_, target_root_, own, hazards, more_);
  }
}

void TableNames::ScanClassRow(const std::vector<std::string>& fields, long line,
                              Hazards& hazards) const {
  const std::string& name = fields[0];
  if (source_root_) {
    if (!source_.Classes().Contains(name)) {
      hazards.push_back(Named(
          HazardCode::kUnknownSourceClass, HazardSeverity::kWarning, line, 1,
          "the source dictionary has no class " + Quoted(name) + Hint(source_.Classes(), name)));
    } else if (!source_.HasParent(name, fields[1])) {
      hazards.push_back(Named(HazardCode::kUnknownSourceClass, HazardSeverity::kWarning, line, 1,
                              "the source dictionary has no class " + Quoted(name) +
                                  " with parent " + Quoted(fields[1]) + "; its parent is " +
                                  Quoted(source_.ParentOf(name))));
    }
  }
  ScanTargetClass(fields, line, hazards);
}

// A domain code in the target class's column names no class at all: the
// run reports the class as badly mapped whatever the dictionaries hold.
void TableNames::ScanTargetClass(const std::vector<std::string>& fields, long line,
                                 Hazards& hazards) const {
  const std::string& name = fields[0];
  const std::string& target = fields[3];
  if (target.empty() || target == "*") return;  // an uncompleted row, said elsewhere
  for (std::string_view code : profile_.bad_mapping_codes) {
    if (code.empty() || code == "*" || !EqualIgnoringAsciiCase(code, target)) continue;
    std::string message = "the target class " + Quoted(target) +
                          " is a domain code, which the run reads as naming no class: it reports " +
                          Quoted(name) +
                          " as badly mapped; write the target class's key here and the domain in "
                          "column 7";
    hazards.push_back(Named(HazardCode::kDomainCodeAsClass, HazardSeverity::kWarning, line, 1,
                            std::move(message)));
    return;
  }
  if (!target_root_ || target_.Classes().Contains(target)) return;
  std::optional<std::string> close = target_.Classes().DidYouMean(target);
  if (close) {
    hazards.push_back(Named(HazardCode::kUnknownTargetClass, HazardSeverity::kWarning, line, 1,
                            "the target dictionary has no class " + Quoted(target) +
                                "; did you mean " + Quoted(*close) + "?"));
    return;
  }
  hazards.push_back(Named(HazardCode::kUnknownTargetClass, HazardSeverity::kNote, line, 1,
                          "the target dictionary has no class " + Quoted(target) +
                              ": the run proposes it as a new class"));
  if (profile_.v5v5) return;
  if (std::optional<std::string> differs = DdlNameMismatch(name, target)) {
    hazards.push_back(
        Named(HazardCode::kDdlNameDiffers, HazardSeverity::kWarning, line, 1, std::move(*differs)));
  }
}

void TableNames::ScanAttributeRow(const std::vector<std::string>& fields, long line,
                                  Hazards& hazards) const {
  if (source_root_ && source_.Classes().Contains(fields[0]) && !fields[2].empty()) {
    const NameHints& attributes = source_.AttributesOf(fields[0]);
    if (!attributes.Contains(fields[2])) {
      hazards.push_back(Named(HazardCode::kUnknownSourceAttribute, HazardSeverity::kWarning, line,
                              1,
                              "the source class " + Quoted(fields[0]) + " has no attribute " +
                                  Quoted(fields[2]) + Hint(attributes, fields[2])));
    }
  }
  if (!target_root_ || !target_.Classes().Contains(fields[3]) || fields[5].empty()) return;
  const NameHints& attributes = target_.AttributesOf(fields[3]);
  if (attributes.Contains(fields[5])) return;
  // A name close to a known one is a slip; any other is proposed in the DDL.
  std::string hint = Hint(attributes, fields[5]);
  hazards.push_back(Named(HazardCode::kUnknownTargetAttribute,
                          hint.empty() ? HazardSeverity::kNote : HazardSeverity::kWarning, line, 1,
                          "the target class " + Quoted(fields[3]) + " has no attribute " +
                              Quoted(fields[5]) +
                              (hint.empty() ? ": the run proposes it in the DDL" : hint)));
}
