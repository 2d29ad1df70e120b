#include "output/mapping_rows.h"

#include <initializer_list>
#include <string_view>

#include "text/text_helpers.h"

namespace {

void WriteRow(RunContext& context, std::initializer_list<std::string_view> parts,
              RowEscaping escaping) {
  ZORUnicodeString row;
  for (std::string_view part : parts) row.Append(part);
  if (escaping == RowEscaping::kEscaped) AmpToggleHTML(row);
  const std::string& text = row.str();
  context.proposedMappingStream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

void WriteProposedClassRow(RunContext& context, const ZORUnicodeString& class_name,
                           const ZORUnicodeString& class_parent, RowEscaping escaping) {
  WriteRow(context, {class_name, ",", class_parent, ",*,", ",", ",*,\n"}, escaping);
}

void WriteProposedAttributeRow(RunContext& context, const ZORUnicodeString& class_name,
                               const ZORUnicodeString& class_parent,
                               const ZORUnicodeString& attribute_name) {
  WriteRow(context, {class_name, ",", class_parent, ",", attribute_name, ",", ",", ",", ",\n"},
           RowEscaping::kEscaped);
}

void WriteProposedTargetAttributeRow(RunContext& context, const ZORUnicodeString& class_name,
                                     const ZORUnicodeString& class_parent,
                                     const ZORUnicodeString& target_attribute) {
  WriteRow(context, {class_name, ",", class_parent, ",", target_attribute, ",", ",", ",", ",,,\n"},
           RowEscaping::kEscaped);
}
