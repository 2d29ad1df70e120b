#include "output/ddl_writer.h"

#include <initializer_list>
#include <string>

#include "text/zor_uuid.h"

namespace {

// Each piece is gathered and written whole.
void WritePiece(std::ostream& out, std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void WriteClassHead(std::ostream& out, const DdlClassHead& head) {
  ZORUnicodeString uuid = NewUuidText();
  WritePiece(out, {"<Class \n", "     Name=\"", head.name, "\"\n", "     DisplayName=\"",
                   head.display_name, "\"\n", "     Superclass=\"", head.superclass, "\"\n",
                   "     Creator=\"", head.creator, "\"\n", "     Domain=\"", head.domain, "\"\n",
                   "     UUID=\"", uuid, "\">\n"});
}

void WriteAttributeElement(std::ostream& out, const DdlAttribute& attribute,
                           AttributeEnding ending) {
  WritePiece(out, {"     <Simple \n", "          Name=\"", attribute.name, "\"\n",
                   "          DisplayName=\"", attribute.display_name, "\"\n",
                   "          Creator=\"", attribute.creator, "\"\n", "          Type=\"",
                   attribute.type, "\"\n", "          Default=\"", attribute.default_value, "\"\n",
                   "          Domain=\"", attribute.domain,
                   ending == AttributeEnding::kBlankLine ? "\"></Simple>\n\n" : "\"></Simple>\n"});
}

}  // namespace

void WritePackageHead(std::ostream& out, std::string_view package_name,
                      std::string_view package_domain) {
  WritePiece(out, {"<?xml version=\"1.0\" ?>\n", "<Package\n     Name=\"", package_name,
                   "\" Domain=\"", package_domain, "\" xmlns=\"x-schema:V5classSchema.xml\">\n\n"});
}

void WritePackageEnd(std::ostream& out) { WritePiece(out, {"</Package>\n"}); }

void DdlRenderer::Accept(const ClassFindings& batch) {
  if (!batch.ddl) return;
  WriteClassHead(out_, batch.ddl->head);
  for (const DdlAttribute& attribute : batch.ddl->attributes) {
    WriteAttributeElement(out_, attribute, batch.ddl->ending);
  }
  WritePiece(out_, {"\n</Class>\n\n\n"});
}

void ProposedMappingRenderer::Accept(const ClassFindings& batch) {
  for (const std::string& row : batch.mapping_rows) {
    out_.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
}
