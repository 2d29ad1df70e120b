// A whole comparison run on arbitrary inputs: the bytes are cut into the
// source dictionary, the target dictionary and the mapping table at each
// separator line, written into a scratch dictionary tree, and compared in
// both modes, with and without the older target layout, once with each
// lookup strategy. The strategies must write the same report and proposed
// mapping byte for byte, and the same proposed DDL apart from the fresh
// identifiers. Any difference aborts.
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "driver/run_sequence.h"
#include "driver/run_settings.h"

namespace fs = std::filesystem;

namespace {

// The line that separates the three inputs; missing parts are empty files.
constexpr std::string_view kSeparator = "\n#~#~#\n";

fs::path& ScratchRoot() {
  static fs::path root;
  return root;
}

void RemoveScratchRoot() {
  std::error_code ignored;
  fs::remove_all(ScratchRoot(), ignored);
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::array<std::string_view, 3> SplitInput(std::string_view input) {
  std::array<std::string_view, 3> parts;
  for (size_t i = 0; i < parts.size(); ++i) {
    size_t end = i + 1 < parts.size() ? input.find(kSeparator) : std::string_view::npos;
    parts[i] = input.substr(0, end);
    input =
        end == std::string_view::npos ? std::string_view() : input.substr(end + kSeparator.size());
  }
  return parts;
}

RunSettings SettingsFor(bool v5v5, bool old_format) {
  std::string dictionary = ScratchRoot().string() + "/Dictionary/";
  RunSettings settings;
  settings.directory_root = ScratchRoot().string();
  settings.source_xml_path = dictionary + "V4_Exported_XML/source.xml";
  settings.target_xml_path = dictionary + "V5_Exported_XML/target.xml";
  settings.mapping_table_path = dictionary + "MappingTable/table.csv";
  settings.report_path = dictionary + "Reports/out.html";
  settings.proposed_ddl_path = dictionary + "DDL_Files/out.xml";
  settings.proposed_mapping_path = dictionary + "DDL_Files/out.csv";
  settings.inputs_given = settings.mapping_given = settings.output_given = true;
  settings.v5v5_mode = v5v5;
  settings.old_format = old_format;
  return settings;
}

struct Outputs {
  std::string report;
  std::string mapping;
  std::string ddl;  // with every UUID value masked
};

// Empties the value of every UUID="..." in the text.
std::string MaskUuids(std::string text) {
  constexpr std::string_view kOpening = "UUID=\"";
  for (size_t at = text.find(kOpening); at != std::string::npos; at = text.find(kOpening, at)) {
    at += kOpening.size();
    size_t closing = text.find('"', at);
    if (closing == std::string::npos) break;
    text.erase(at, closing - at);
  }
  return text;
}

Outputs Run(const RunSettings& settings, LookupStrategy strategy) {
  RunComparison(settings, strategy);
  return {ReadBytes(settings.report_path.str()), ReadBytes(settings.proposed_mapping_path.str()),
          MaskUuids(ReadBytes(settings.proposed_ddl_path.str()))};
}

void Require(bool holds, const char* what, const RunSettings& settings) {
  if (holds) return;
  std::fprintf(stderr, "run_fuzzer: the strategies differ in the %s (v5v5=%d old=%d)\n", what,
               settings.v5v5_mode, settings.old_format);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zor-run-fuzzer-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  ScratchRoot() = pattern;
  for (const char* folder :
       {"V4_Exported_XML", "V5_Exported_XML", "MappingTable", "DDL_Files", "Reports"}) {
    fs::create_directories(ScratchRoot() / "Dictionary" / folder);
  }
  std::atexit(RemoveScratchRoot);
  // The run's console lines would drown the fuzzer's own on stderr.
  std::fflush(stdout);
  int null_device = open("/dev/null", O_WRONLY);
  dup2(null_device, STDOUT_FILENO);
  close(null_device);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  fs::path dictionary = ScratchRoot() / "Dictionary";
  WriteBytes(dictionary / "V4_Exported_XML/source.xml", parts[0]);
  WriteBytes(dictionary / "V5_Exported_XML/target.xml", parts[1]);
  WriteBytes(dictionary / "MappingTable/table.csv", parts[2]);
  for (bool v5v5 : {false, true}) {
    for (bool old_format : {false, true}) {
      RunSettings settings = SettingsFor(v5v5, old_format);
      Outputs linear = Run(settings, LookupStrategy::kLinearScans);
      Outputs indexed = Run(settings, LookupStrategy::kIndexed);
      Require(linear.report == indexed.report, "report", settings);
      Require(linear.mapping == indexed.mapping, "proposed mapping", settings);
      Require(linear.ddl == indexed.ddl, "proposed DDL", settings);
    }
  }
  return 0;
}
