#include "compare/proposed_rows.h"

#include <initializer_list>
#include <string_view>

#include "text/text_helpers.h"

namespace {

std::string Row(std::initializer_list<std::string_view> parts, RowEscaping escaping) {
  ZORUnicodeString row;
  for (std::string_view part : parts) row.Append(part);
  if (escaping == RowEscaping::kEscaped) AmpToggleHTML(row);
  return std::move(row.str());
}

}  // namespace

std::string ProposedClassRow(const ZORUnicodeString& class_name,
                             const ZORUnicodeString& class_parent, RowEscaping escaping) {
  return Row({class_name, ",", class_parent, ",*,", ",", ",*,\n"}, escaping);
}

std::string ProposedAttributeRow(const ZORUnicodeString& class_name,
                                 const ZORUnicodeString& class_parent,
                                 const ZORUnicodeString& attribute_name) {
  return Row({class_name, ",", class_parent, ",", attribute_name, ",", ",", ",", ",\n"},
             RowEscaping::kEscaped);
}

std::string ProposedTargetAttributeRow(const ZORUnicodeString& class_name,
                                       const ZORUnicodeString& class_parent,
                                       const ZORUnicodeString& target_attribute) {
  return Row({class_name, ",", class_parent, ",", target_attribute, ",", ",", ",", ",,,\n"},
             RowEscaping::kEscaped);
}
