#include "dictionary/mapping_table.h"

#include "text/text_helpers.h"
#include "text/zor_token.h"

ZORUnicodeString& MappingRow::Field(MappingColumn column) {
  switch (column) {
    case MappingColumn::kSourceClass:
      return source_class;
    case MappingColumn::kSourceParent:
      return source_parent;
    case MappingColumn::kSourceAttribute:
      return source_attribute;
    case MappingColumn::kTargetClass:
      return target_class;
    case MappingColumn::kTargetParent:
      return target_parent;
    case MappingColumn::kTargetAttribute:
      return target_attribute;
    case MappingColumn::kDomain:
      return domain;
  }
  return domain;  // not reached: the switch names every column
}

MappingRow SplitRow(std::string_view line, MappingColumn last, FieldMask unescaped) {
  MappingRow row;
  ZORToken tokens(line);
  for (MappingColumn column : kMappingColumns) {
    if (column > last) break;
    ZORUnicodeString& field = row.Field(column);
    field = tokens.GetNextToken(",");
    if (unescaped & FieldBit(column)) AmpTogglePlain(field);
  }
  return row;
}

ClassRowLookup FindClassRow(const ZORUnicodeString& mapping_text, long& position,
                            const ZORUnicodeString& class_name,
                            const ZORUnicodeString& class_parent) {
  constexpr FieldMask kUnescaped =
      FieldBit(MappingColumn::kSourceClass) | FieldBit(MappingColumn::kSourceParent) |
      FieldBit(MappingColumn::kTargetClass) | FieldBit(MappingColumn::kTargetParent) |
      FieldBit(MappingColumn::kDomain);
  ClassRowLookup lookup;
  position = 0;
  while (position <= mapping_text.GetLengthInChar() && !lookup.found) {
    lookup.row_start = position;
    ZORUnicodeString current_line = ReadNextLine(mapping_text, position);
    lookup.row = std::string_view(mapping_text.str())
                     .substr(static_cast<size_t>(lookup.row_start), current_line.str().size());
    MappingRow row = SplitRow(current_line.str(), MappingColumn::kDomain, kUnescaped);
    lookup.map_domain = row.domain;
    if (lookup.map_domain.Matches("")) lookup.map_domain.Reset();
    lookup.found = row.source_attribute.Contains("*") && row.source_class.Equals(class_name) &&
                   row.source_parent.Equals(class_parent) && row.source_attribute.Matches("*");
  }
  return lookup;
}

bool RowNamesTargetClass(const ZORUnicodeString& name, const ZORUnicodeString& mapping_text) {
  long position = 0;
  while (position <= mapping_text.GetLengthInChar()) {
    ZORUnicodeString line = ReadNextLine(mapping_text, position);
    MappingRow row = SplitRow(line.str(), MappingColumn::kTargetAttribute, kAllFields);
    if (row.target_class.Equals(name)) return true;
  }
  return false;
}
