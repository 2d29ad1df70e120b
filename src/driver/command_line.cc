#include "driver/command_line.h"

namespace {

bool ArgumentMatches(const char* argument, const char* option) {
  return ZORUnicodeString(argument).Matches(option);
}

void Say(CommandLine& line, std::string text) { line.console_lines.push_back(std::move(text)); }

// An option without its arguments owes the usage screen, and the scan goes on.
void SayUsage(CommandLine& line) {
  for (const char* usage_line : UsageLines()) Say(line, usage_line);
}

void ReadEnvironment(CommandLine& line, std::string_view directory_root) {
  line.settings.directory_root = ZORUnicodeString(directory_root);
  Say(line, "\nZODODEV_DIRECTORYPATH=" + std::string(directory_root));
}

// -u and -w act before any other option, wherever they stand; the last wins.
void SettlePathConvention(int argc, char** argv, CommandLine& line) {
  for (int i = 1; i < argc; ++i) {
    if (ArgumentMatches(argv[i], "-u")) {
      Say(line, "Forcing UNIX path convention.");
      line.settings.directory_separator = "/";
    }
    if (ArgumentMatches(argv[i], "-w")) {
      Say(line, "Forcing NT path convention.");
      line.settings.directory_separator = "\\";
    }
  }
}

ZORUnicodeString DefaultLocation(const RunSettings& settings, const char* folder) {
  const ZORUnicodeString& s = settings.directory_separator;
  ZORUnicodeString path = settings.directory_root;
  for (const ZORUnicodeString& piece :
       {s, ZORUnicodeString("Dictionary"), s, ZORUnicodeString(folder), s}) {
    path.Append(piece);
  }
  return path;
}

void FormDefaultLocations(RunSettings& settings) {
  settings.source_xml_path = DefaultLocation(settings, "V4_Exported_XML");
  settings.target_xml_path = DefaultLocation(settings, "V5_Exported_XML");
  settings.mapping_table_path = DefaultLocation(settings, "MappingTable");
  settings.proposed_mapping_path = DefaultLocation(settings, "DDL_Files");
  settings.report_path = DefaultLocation(settings, "Reports");
  settings.proposed_ddl_path = DefaultLocation(settings, "DDL_Files");
}

void AppendOutputName(RunSettings& settings, const char* name) {
  settings.proposed_mapping_path.Append(name);
  settings.proposed_mapping_path.Append(".csv");
  settings.report_path.Append(name);
  settings.report_path.Append(".html");
  settings.proposed_ddl_path.Append(name);
  settings.proposed_ddl_path.Append(".xml");
}

// The options are tested one after the other on the same argument; when -i
// or -m has moved i on, the tests that follow look at the new argument.
// Returns false when the scan ends (-h, -c).
bool ScanOneArgument(int argc, char** argv, int& i, CommandLine& line) {
  RunSettings& settings = line.settings;
  if (ArgumentMatches(argv[i], "-h")) {
    line.request = CommandRequest::kUsage;
    return false;
  }
  if (ArgumentMatches(argv[i], "-c")) {
    if (i + 2 < argc) {
      line.request = CommandRequest::kConvert;
      line.convert_input = ZORUnicodeString(argv[i + 1]);
      line.convert_output = ZORUnicodeString(argv[i + 2]);
      return false;
    }
    SayUsage(line);
  }
  if (ArgumentMatches(argv[i], "-old")) {
    settings.old_format = true;
    Say(line, "Using old V5 format.");
  }
  if (ArgumentMatches(argv[i], "-v5")) {
    settings.v5v5_mode = true;
    Say(line, "V5/V5 comparison mode on.");
  }
  if (ArgumentMatches(argv[i], "-t")) {
    settings.dev_trace = true;
    Say(line, "Dev trace on.");
  }
  if (ArgumentMatches(argv[i], "-i")) {
    if (i + 2 < argc) {
      settings.source_xml_path.Append(argv[i + 1]);
      settings.target_xml_path.Append(argv[i + 2]);
      settings.inputs_given = true;
      i += 2;
    } else {
      SayUsage(line);
    }
  }
  if (ArgumentMatches(argv[i], "-m")) {
    if (i + 1 < argc) {
      settings.mapping_table_path.Append(argv[i + 1]);
      settings.mapping_given = true;
      i += 1;
    } else {
      SayUsage(line);
    }
  }
  if (ArgumentMatches(argv[i], "-o")) {
    if (i + 1 < argc) {
      AppendOutputName(settings, argv[i + 1]);
      settings.output_given = true;
      i += 1;
    } else {
      SayUsage(line);
    }
  }
  return true;
}

}  // namespace

std::span<const char* const> UsageLines() {
  static const char* const kLines[] = {
      "",
      "* Usage: ZORVezIrudeduzazAduzizorav -i xmlfile1.xml xmlfile2.xml -m mappingtable.csv -o "
      "outfilename",
      "                 compares xmlfile1.xml against xmlfile2.xml. xmlfile2.xml should always be "
      "V5 XML.",
      "                       xmlfile1.xml is the XML file to migrate (typically V4 format).",
      "                       -m indicates mappingtable.csv is your mapping table.",
      "                       -o indicates outfilename is the output filename.",
      "",
      "         ZORVezIrudeduzazAduzizorav -h ",
      "                 displays this screen.",
      "",
      "* Optional switches: ",
      "         -old ",
      "                 enforces an older V5 XML format.",
      "         -v5 ",
      "                 enforces a V5/V5 comparison (use this if both XML files are V5). ",
      "",
      "* Colors in output filename (.html): ",
      "    Red:    Migration file has a class that is not in mapping table. Proposed mapping is "
      "produced.",
      "    Blue:   Migration file has a class that is mapped to a non-existent V5 class. Proposed "
      "XML is produced.",
      "    Orange: Migration file has a class that was specified as \"No Mapping.\" No action "
      "taken.",
      "    Purple: There is a given reason why the class couldn't have proposed XML/CSV generated "
      "for it.",
      "    Green:  Migration XML file, mapping table and V5 XML are all in agreement. No action "
      "taken.",
      "",
  };
  return kLines;
}

CommandLine ScanCommandLine(int argc, char** argv, std::string_view directory_root) {
  CommandLine line;
  ReadEnvironment(line, directory_root);
  SettlePathConvention(argc, argv, line);
  FormDefaultLocations(line.settings);
  for (int i = 1; i < argc; ++i) {
    if (!ScanOneArgument(argc, argv, i, line)) break;
  }
  return line;
}
