#include "dictionary/dictionary_queries.h"

#include "dictionary/mapping_table.h"

ZORUnicodeString GetValueByTagName(MigrationXMLNode* node, ZORUnicodeString attribute_name) {
  if (node == nullptr) return {};
  MigrationXMLAttribute* attribute = node->GetAttribute(attribute_name.ConvertToChar());
  if (attribute == nullptr) return {};
  return ZORUnicodeString(attribute->GetValue());
}

std::string_view AttributeView(MigrationXMLNode* node, const char* attribute_name) {
  if (node == nullptr) return {};
  MigrationXMLAttribute* attribute = node->GetAttribute(attribute_name);
  return attribute ? std::string_view(attribute->GetValue()) : std::string_view();
}

bool CheckParent(ZORUnicodeString parent, const ZORUnicodeString& mapping_text) {
  return RowNamesTargetClass(parent, mapping_text);
}
