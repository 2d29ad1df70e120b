#include "convert/convert.h"

#include <fstream>
#include <initializer_list>
#include <string_view>

#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "platform/console.h"
#include "platform/utf8_files.h"
#include "text/zor_system.h"

namespace {

ZORUnicodeString ExportedV5Path(const ZORUnicodeString& name) {
  ZORUnicodeString path(ZORGetEnv("ZODODEV_DIRECTORYPATH"));
  path.Append("/Dictionary/V5_Exported_XML/");
  path.Append(name);
  return path;
}

void Write(std::ofstream& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) {
    if (!part.empty()) out.write(part.data(), static_cast<std::streamsize>(part.size()));
  }
}

void WriteAttribute(std::ofstream& out, MigrationXMLNode* attribute) {
  auto value = [&](const char* name) { return GetValueByTagName(attribute, name); };
  Write(out, {"     <Simple\n",
              "          Name=\"",
              value("ShortName"),
              "\"\n",
              "          DisplayName=\"",
              value("Name"),
              "\"\n",
              "          Creator=\"",
              value("User"),
              "\"\n",
              "          Type=\"",
              value("Type"),
              "\"\n",
              "          Discrete=\"",
              "No",
              "\"\n",
              "          Default=\"",
              value("Value"),
              "\"\n",
              "          Domain=\"",
              value("Domain"),
              "\"></Simple>\n\n"});
}

void WriteClass(std::ofstream& out, MigrationXMLNode* class_node) {
  auto value = [&](const char* name) { return GetValueByTagName(class_node, name); };
  Write(out, {"<Class\n", "     Name=\"", value("ShortName"), "\"\n", "     DisplayName=\"",
              value("Name"), "\"\n", "     Superclass=\"", value("ShortParent"), "\"\n",
              "     Creator=\"\"", "\n", "     UUID=\"\"", ">\n\n"});
  ForEachElement(class_node, "Simple", [&](MigrationXMLNode* attribute) {
    WriteAttribute(out, attribute);
    return true;
  });
  Write(out, {"</Class>\n\n"});
}

}  // namespace

void Convert(ZORUnicodeString input_name, ZORUnicodeString output_name) {
  ZORUnicodeString input_path = ExportedV5Path(input_name);
  ZORUnicodeString output_path = ExportedV5Path(output_name);
  if (ZORFileAccess(input_path.ConvertToChar(), 0) != 0) {
    ConsoleWrite("Input file: Could not open ");
    ConsoleWrite(input_path);
    ConsoleLine(". Check name and location of file.");
    return;
  }
  std::ofstream out(PathFromUtf8(output_path.ConvertToChar()),
                    std::ios::out | std::ios::binary | std::ios::trunc);
  ConsoleWrite("In:  ");
  ConsoleLine(input_path);
  ConsoleWrite("Out: ");
  ConsoleLine(output_path);
  Write(out, {"<?xml version=\"1.0\" ?>\n<Package Name=\"INCOMPLETE V5 Conversion of ", input_name,
              "\" Modeler=\"Quorvane\" xmlns=\"x-schema:V5classSchema.xml\">\n\n"});
  MigrationXMLNode* document = MigrationXMLNode::CreateFromFile(input_path.ConvertToChar());
  ForEachElement(FirstNode(document), "Class", [&](MigrationXMLNode* class_node) {
    WriteClass(out, class_node);
    return true;
  });
  Write(out, {"\n</Package>\n"});
  if (document) document->Release();
}
