#include "output/ddl_writer.h"

#include <initializer_list>
#include <string_view>

#include "text/zor_uuid.h"

namespace {

// Each piece is gathered in ddlText and written whole.
void WritePiece(RunContext& context, std::initializer_list<std::string_view> parts) {
  context.ddlText.Reset();
  for (std::string_view part : parts) context.ddlText.Append(part);
  const std::string& text = context.ddlText.str();
  context.proposedDdlStream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

void WritePackageHead(RunContext& context, const ZORUnicodeString& package_name,
                      const ZORUnicodeString& package_domain) {
  WritePiece(context,
             {"<?xml version=\"1.0\" ?>\n", "<Package\n     Name=\"", package_name, "\" Domain=\"",
              package_domain, "\" xmlns=\"x-schema:V5classSchema.xml\">\n\n"});
}

void WriteClassHead(RunContext& context, const DdlClassHead& head) {
  ZORUnicodeString uuid = NewUuidText();
  WritePiece(context, {"<Class \n", "     Name=\"", head.name, "\"\n", "     DisplayName=\"",
                       head.displayName, "\"\n", "     Superclass=\"", head.superclass, "\"\n",
                       "     Creator=\"", head.creator, "\"\n", "     Domain=\"", head.domain,
                       "\"\n", "     UUID=\"", uuid, "\">\n"});
}

void WriteAttributeElement(RunContext& context, const DdlAttribute& attribute,
                           AttributeEnding ending) {
  WritePiece(
      context,
      {"     <Simple \n", "          Name=\"", attribute.name, "\"\n", "          DisplayName=\"",
       attribute.displayName, "\"\n", "          Creator=\"", attribute.creator, "\"\n",
       "          Type=\"", attribute.type, "\"\n", "          Default=\"", attribute.defaultValue,
       "\"\n", "          Domain=\"", attribute.domain,
       ending == AttributeEnding::kBlankLine ? "\"></Simple>\n\n" : "\"></Simple>\n"});
}

void WriteClassEnd(RunContext& context) { WritePiece(context, {"\n</Class>\n\n\n"}); }

void WritePackageEnd(RunContext& context) { WritePiece(context, {"</Package>\n"}); }
