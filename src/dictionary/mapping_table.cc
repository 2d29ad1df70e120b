#include "dictionary/mapping_table.h"

#include "text/text_helpers.h"
#include "text/zor_token.h"

ZORUnicodeString& MappingRow::Field(MappingColumn column) {
  switch (column) {
    case MappingColumn::kSourceClass:
      return sourceClass;
    case MappingColumn::kSourceParent:
      return sourceParent;
    case MappingColumn::kSourceAttribute:
      return sourceAttribute;
    case MappingColumn::kTargetClass:
      return targetClass;
    case MappingColumn::kTargetParent:
      return targetParent;
    case MappingColumn::kTargetAttribute:
      return targetAttribute;
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

ClassRowLookup findClassRow(const ZORUnicodeString& mapping_text, long& position,
                            const ZORUnicodeString& class_name,
                            const ZORUnicodeString& class_parent) {
  constexpr FieldMask kUnescaped =
      FieldBit(MappingColumn::kSourceClass) | FieldBit(MappingColumn::kSourceParent) |
      FieldBit(MappingColumn::kTargetClass) | FieldBit(MappingColumn::kTargetParent) |
      FieldBit(MappingColumn::kDomain);
  ClassRowLookup lookup;
  position = 0;
  while (position <= mapping_text.GetLengthInChar() && !lookup.found) {
    lookup.rowStart = position;
    ZORUnicodeString current_line = ReadNextLine(mapping_text, position);
    lookup.row = std::string_view(mapping_text.str())
                     .substr(static_cast<size_t>(lookup.rowStart), current_line.str().size());
    MappingRow row = SplitRow(current_line.str(), MappingColumn::kDomain, kUnescaped);
    lookup.mapDomain = row.domain;
    if (lookup.mapDomain.Matches("")) lookup.mapDomain.Reset();
    lookup.found = row.sourceAttribute.Contains("*") && row.sourceClass.Equals(class_name) &&
                   row.sourceParent.Equals(class_parent) && row.sourceAttribute.Matches("*");
  }
  return lookup;
}

bool rowNamesTargetClass(const ZORUnicodeString& name, const ZORUnicodeString& mapping_text) {
  long position = 0;
  while (position <= mapping_text.GetLengthInChar()) {
    ZORUnicodeString line = ReadNextLine(mapping_text, position);
    MappingRow row = SplitRow(line.str(), MappingColumn::kTargetAttribute, kAllFields);
    if (row.targetClass.Equals(name)) return true;
  }
  return false;
}
