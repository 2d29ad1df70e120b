// zor_floor: the least work any comparison run does — reading the mapping
// table and loading both dictionaries — and nothing else, so that a run's
// time can be set against it.
//   zor_floor MAPPING.csv SOURCE.xml TARGET.xml
#include <cstdio>

#include "dictionary/mapping_reader.h"
#include "dictionary/migration_xml.h"
#include "text/zor_string.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: zor_floor MAPPING.csv SOURCE.xml TARGET.xml\n", stderr);
    return 2;
  }
  ZORUnicodeString mapping_text;
  bool table_read = ReadMappingTable(argv[1], mapping_text);
  mapping_text.Append("\n");
  MigrationXMLNode* source = MigrationXMLNode::CreateFromFile(argv[2]);
  MigrationXMLNode* target = MigrationXMLNode::CreateFromFile(argv[3]);
  // Printed so that the loads show they happened (and cannot be skipped).
  std::printf("table %s (%ld bytes), source %s, target %s\n", table_read ? "read" : "unreadable",
              mapping_text.GetLengthInChar(), source ? "loaded" : "not loaded",
              target ? "loaded" : "not loaded");
  if (source) source->Release();
  if (target) target->Release();
  return table_read && source && target ? 0 : 1;
}
