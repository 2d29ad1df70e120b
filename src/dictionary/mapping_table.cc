#include "dictionary/mapping_table.h"

#include "text/text_helpers.h"
#include "text/zor_token.h"

ZORUnicodeString& MappingRow::Field(int number) {
  switch (number) {
    case 1:
      return sourceClass;
    case 2:
      return sourceParent;
    case 3:
      return sourceAttribute;
    case 4:
      return targetClass;
    case 5:
      return targetParent;
    case 6:
      return targetAttribute;
    default:
      return domain;
  }
}

MappingRow SplitRow(std::string_view line, int field_count, FieldMask unescaped) {
  MappingRow row;
  ZORToken tokens(line);
  for (int number = 1; number <= field_count; ++number) {
    ZORUnicodeString& field = row.Field(number);
    field = tokens.GetNextToken(",");
    if (unescaped & FieldBit(number)) AmpTogglePlain(field);
  }
  return row;
}

ClassRowLookup findClassRow(const ZORUnicodeString& mapping_text, long& position,
                            ZORUnicodeString& current_line, const ZORUnicodeString& class_name,
                            const ZORUnicodeString& class_parent) {
  constexpr FieldMask kUnescaped =
      FieldBit(1) | FieldBit(2) | FieldBit(4) | FieldBit(5) | FieldBit(7);
  ClassRowLookup lookup;
  position = 0;
  while (position <= mapping_text.GetLengthInChar() && !lookup.found) {
    current_line = ReadNextLine(mapping_text, position);
    MappingRow row = SplitRow(current_line.str(), 7, kUnescaped);
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
    MappingRow row = SplitRow(line.str(), 6, kAllFields);
    if (row.targetClass.Equals(name)) return true;
  }
  return false;
}
