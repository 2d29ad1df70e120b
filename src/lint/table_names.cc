#include "lint/table_names.h"

#include <algorithm>
#include <deque>

#include "compare/class_record.h"
#include "compare/target_catalog.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/parsed_line.h"
#include "text/quoted_value.h"
#include "text/text_helpers.h"

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
  for (int i = 1; i <= 7; ++i) fields.emplace_back(WithoutLineEnd(parsed.Plain(i)));
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
                       MigrationXMLNode* target_root)
    : profile_(profile), haveSource_(source_root != nullptr), haveTarget_(target_root != nullptr) {
  ForEachElement(source_root, "Class", [&](MigrationXMLNode* node) {
    SourceClass source = ReadSourceClass(profile, node);
    std::string name = RowNameOf(profile, source).str();
    sourceClasses_.Add(name);
    SourceClassNames& names = sourceByName_[name];
    names.parents.push_back(source.parent.str());
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      names.attributes.Add(Plain(getValueByTagName(attribute, profile.sourceAttribute.label)).str());
      return true;
    });
    return true;
  });
  size_t position = 0;
  std::deque<std::string> pool;
  ForEachElement(target_root, "Class", [&](MigrationXMLNode* node) {
    TargetClass target = ReadTargetClass(profile, node, position++);
    std::string key(CounterpartKey(profile, target).first);
    targetClasses_.Add(key);
    NameHints& attributes = targetAttributes_[key];
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      attributes.Add(ReadTargetAttribute(profile, attribute, pool).key);
      return true;
    });
    return true;
  });
}

void TableNames::Scan(const std::vector<TextLine>& lines, Hazards& hazards) const {
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
}

void TableNames::ScanClassRow(const std::vector<std::string>& fields, long line,
                              Hazards& hazards) const {
  const std::string& name = fields[0];
  if (haveSource_) {
    auto known = sourceByName_.find(name);
    if (known == sourceByName_.end()) {
      hazards.push_back(Named(HazardCode::kUnknownSourceClass, HazardSeverity::kWarning, line, 1,
                              "the source dictionary has no class " + Quoted(name) +
                                  Hint(sourceClasses_, name)));
    } else if (std::find(known->second.parents.begin(), known->second.parents.end(),
                         fields[1]) == known->second.parents.end()) {
      hazards.push_back(Named(HazardCode::kUnknownSourceClass, HazardSeverity::kWarning, line, 1,
                              "the source dictionary has no class " + Quoted(name) +
                                  " with parent " + Quoted(fields[1]) + "; its parent is " +
                                  Quoted(known->second.parents.front())));
    }
  }
  const std::string& target = fields[3];
  bool names_none = std::find(profile_.badMappingCodes.begin(), profile_.badMappingCodes.end(),
                              target) != profile_.badMappingCodes.end();
  if (!haveTarget_ || names_none || targetClasses_.Contains(target)) return;
  std::optional<std::string> close = targetClasses_.DidYouMean(target);
  if (close) {
    hazards.push_back(Named(HazardCode::kUnknownTargetClass, HazardSeverity::kWarning, line, 1,
                            "the target dictionary has no class " + Quoted(target) +
                                "; did you mean " + Quoted(*close) + "?"));
    return;
  }
  hazards.push_back(Named(HazardCode::kUnknownTargetClass, HazardSeverity::kNote, line, 1,
                          "the target dictionary has no class " + Quoted(target) +
                              ": the run proposes it as a new class"));
  std::string ddl_name = WithoutWhiteSpace(ZORUnicodeString(name)).str();
  if (profile_.v5v5 || ddl_name == target) return;
  hazards.push_back(Named(
      HazardCode::kDdlNameDiffers, HazardSeverity::kWarning, line, 1,
      "the proposed DDL names the new class " + Quoted(ddl_name) + " after the source label, "
          "not " + Quoted(target) + ", so once it is loaded the next run still misses " +
          Quoted(target) + ": write " + Quoted(ddl_name) + " as the target class, or rename "
          "the class in the DDL to " + Quoted(target) + " before loading it"));
}

void TableNames::ScanAttributeRow(const std::vector<std::string>& fields, long line,
                                  Hazards& hazards) const {
  auto source = sourceByName_.find(fields[0]);
  if (haveSource_ && source != sourceByName_.end() && !fields[2].empty() &&
      !source->second.attributes.Contains(fields[2])) {
    hazards.push_back(Named(HazardCode::kUnknownSourceAttribute, HazardSeverity::kWarning, line,
                            1,
                            "the source class " + Quoted(fields[0]) + " has no attribute " +
                                Quoted(fields[2]) + Hint(source->second.attributes, fields[2])));
  }
  auto target = targetAttributes_.find(fields[3]);
  if (!haveTarget_ || target == targetAttributes_.end() || fields[5].empty() ||
      target->second.Contains(fields[5])) {
    return;
  }
  // A name close to a known one is a slip; any other is proposed in the DDL.
  std::string hint = Hint(target->second, fields[5]);
  hazards.push_back(Named(HazardCode::kUnknownTargetAttribute,
                          hint.empty() ? HazardSeverity::kNote : HazardSeverity::kWarning, line, 1,
                          "the target class " + Quoted(fields[3]) + " has no attribute " +
                              Quoted(fields[5]) +
                              (hint.empty() ? ": the run proposes it in the DDL" : hint)));
}
