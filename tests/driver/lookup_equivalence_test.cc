// The indexed lookups must leave exactly what the linear scans leave: the
// same console and the same report, proposed DDL and proposed mapping, byte
// for byte, over many generated trees of both shapes and both comparisons.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "driver/run_sequence.h"
#include "driver/run_settings.h"

#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"

namespace {

namespace fs = std::filesystem;
using zor_bench::TreeMode;
using zor_bench::TreeOptions;
using zor_bench::TreeShape;

struct RunFlags {
  bool old = false;
  bool trace = false;
};

// Everything one run leaves behind.
struct RunOutput {
  std::string console;
  std::string report;
  std::string ddl;
  std::string mapping;
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Proposed classes get fresh random identifiers in every run.
std::string MaskUuids(std::string text) {
  const std::string marker = "UUID=\"";
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + 1)) {
    size_t start = at + marker.size();
    size_t end = text.find('"', start);
    if (end == std::string::npos) break;
    text.replace(start, end - start, "<UUID>");
  }
  return text;
}

// Runs `action` with standard output going to `file`; returns what it wrote.
std::string CaptureStandardOutput(const fs::path& file, const std::function<void()>& action) {
  std::fflush(stdout);
  int saved = dup(1);
  int capture = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (saved < 0 || capture < 0) {
    ADD_FAILURE() << "cannot redirect standard output to " << file;
    return "";
  }
  dup2(capture, 1);
  close(capture);
  action();
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  return ReadBytes(file);
}

RunSettings SettingsFor(const fs::path& root, const std::string& output_name, bool v5,
                        RunFlags flags) {
  const std::string dictionary = root.string() + "/Dictionary/";
  RunSettings settings;
  settings.directoryRoot = root.string();
  settings.sourceXmlPath = dictionary + "V4_Exported_XML/" + zor_bench::kSourceXmlName;
  settings.targetXmlPath = dictionary + "V5_Exported_XML/" + zor_bench::kTargetXmlName;
  settings.mappingTablePath = dictionary + "MappingTable/" + zor_bench::kMappingCsvName;
  settings.reportPath = dictionary + "Reports/" + output_name + ".html";
  settings.proposedDdlPath = dictionary + "DDL_Files/" + output_name + ".xml";
  settings.proposedMappingPath = dictionary + "DDL_Files/" + output_name + ".csv";
  settings.v5v5Mode = v5;
  settings.oldFormat = flags.old;
  settings.devTrace = flags.trace;
  settings.inputsGiven = settings.mappingGiven = settings.outputGiven = true;
  return settings;
}

RunOutput RunOnce(const fs::path& root, const std::string& output_name, bool v5, RunFlags flags,
              LookupStrategy strategy) {
  RunSettings settings = SettingsFor(root, output_name, v5, flags);
  RunOutput output;
  output.console = CaptureStandardOutput(root / (output_name + ".console"),
                                         [&] { RunComparison(settings, strategy); });
  // The closing summary names the outputs, which differ between the runs.
  output.console = ReplaceAll(output.console, output_name, "OUTPUT");
  output.report = ReadBytes(settings.reportPath.str());
  output.ddl = MaskUuids(ReadBytes(settings.proposedDdlPath.str()));
  output.mapping = ReadBytes(settings.proposedMappingPath.str());
  return output;
}

// Empty when equal; otherwise where the texts part and the lines there.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return "";
  size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  auto line_around = [at](const std::string& text) {
    size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
    start = start == std::string::npos ? 0 : start + 1;
    size_t end = text.find('\n', at);
    return text.substr(start, (end == std::string::npos ? text.size() : end) - start);
  };
  std::ostringstream out;
  out << "first difference at byte " << at << " (sizes " << expected.size() << " and "
      << actual.size() << ")\n  linear:  " << line_around(expected)
      << "\n  indexed: " << line_around(actual);
  return out.str();
}

std::string Describe(const TreeOptions& options, RunFlags flags) {
  std::ostringstream out;
  out << "tree: zor_generate --classes " << options.classes << " --attributes "
      << options.attributes << " --mode " << zor_bench::ModeName(options.mode) << " --seed "
      << options.seed << " --shape " << zor_bench::ShapeName(options.shape)
      << (options.oldLayout ? " --old" : "") << "; run with"
      << (options.mode == TreeMode::kV5ToV5 ? " -v5" : "") << (flags.old ? " -old" : "")
      << (flags.trace ? " -t" : "");
  return out.str();
}

// Texts that show a verdict was reached, to make sure the generated trees
// keep exercising every branch rather than agreeing on nothing.
const char* const kVerdictMarkers[] = {
    "not found in mapping table!",                 // red: no class row
    "is badly mapped in mapping table: no V5",     // red: no target named
    "not found in existing V5",                    // blue
    "#990099",                                     // purple reason
    "was explicitly unmapped",                     // orange
    "#444444",                                     // retained attribute
    "is now missing the above inherited",          // child warning
    "valid in mapping table and V5",               // green
    "#003600",                                     // valid attribute
    "Provide new attribute",                       // missing attribute
};

class LookupEquivalenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("zor_lookup_equivalence_" + std::to_string(getpid()));
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Generates the tree, runs both strategies with each set of flags, and
  // compares what they leave.
  void CheckTree(const TreeOptions& options, std::initializer_list<RunFlags> runs) {
    fs::remove_all(root_);
    std::string error = zor_bench::WriteTree(zor_bench::GenerateTree(options), root_);
    ASSERT_EQ(error, "");
    bool v5 = options.mode == TreeMode::kV5ToV5;
    for (RunFlags flags : runs) {
      RunOutput linear = RunOnce(root_, "linear_scans", v5, flags, LookupStrategy::kLinearScans);
      RunOutput indexed = RunOnce(root_, "indexed", v5, flags, LookupStrategy::kIndexed);
      for (const char* marker : kVerdictMarkers) {
        if (linear.report.find(marker) != std::string::npos) markersSeen_.insert(marker);
      }
      Compare("console", linear.console, indexed.console, options, flags);
      Compare("report", linear.report, indexed.report, options, flags);
      Compare("proposed DDL", linear.ddl, indexed.ddl, options, flags);
      Compare("proposed mapping", linear.mapping, indexed.mapping, options, flags);
    }
  }

  void Compare(const char* what, const std::string& linear, const std::string& indexed,
               const TreeOptions& options, RunFlags flags) {
    std::string difference = FirstDifference(linear, indexed);
    if (difference.empty()) return;
    // The first few differences say enough; the rest would bury them.
    if (++differences_ <= 5) {
      ADD_FAILURE() << what << " differs\n" << Describe(options, flags) << "\n" << difference;
    }
  }

  fs::path root_;
  int differences_ = 0;
  std::set<std::string> markersSeen_;
};

TEST_F(LookupEquivalenceTest, IndexedLookupsLeaveWhatLinearScansLeave) {
  for (std::uint64_t seed = 0; seed < 60; ++seed) {
    for (TreeMode mode : {TreeMode::kV4ToV5, TreeMode::kV5ToV5}) {
      for (TreeShape shape : {TreeShape::kRealistic, TreeShape::kHostile}) {
        TreeOptions options;
        options.classes = 4 + static_cast<int>(seed % 29);
        options.attributes = static_cast<int>(seed % 7);
        options.mode = mode;
        options.shape = shape;
        options.seed = seed;
        options.oldLayout = seed % 3 == 0;
        // The dev trace shows each lookup's steps; the second run also
        // reads a tree in the layout it was not made for now and then.
        bool other_layout = seed % 5 == 0 ? !options.oldLayout : options.oldLayout;
        CheckTree(options, {RunFlags{options.oldLayout, true}, RunFlags{other_layout, false}});
      }
    }
  }
  EXPECT_EQ(differences_, 0) << "runs whose outputs differ";
  for (const char* marker : kVerdictMarkers) {
    EXPECT_TRUE(markersSeen_.count(marker)) << "no generated tree produced \"" << marker << "\"";
  }
}

// A failure above names a seed; that seed must give the same tree again.
TEST(TreeGeneratorTest, SameOptionsGiveTheSameTree) {
  TreeOptions options;
  options.classes = 30;
  options.attributes = 4;
  options.shape = TreeShape::kHostile;
  options.mode = TreeMode::kV5ToV5;
  options.seed = 11;
  zor_bench::GeneratedTree first = zor_bench::GenerateTree(options);
  zor_bench::GeneratedTree again = zor_bench::GenerateTree(options);
  EXPECT_EQ(first.sourceXml, again.sourceXml);
  EXPECT_EQ(first.targetXml, again.targetXml);
  EXPECT_EQ(first.mappingCsv, again.mappingCsv);
  options.seed = 12;
  EXPECT_NE(zor_bench::GenerateTree(options).mappingCsv, first.mappingCsv);
}

}  // namespace

#else

TEST(LookupEquivalenceTest, NeedsTheTreeGenerator) {
  GTEST_SKIP() << "built without the benchmark tools (ZOR_BUILD_BENCH=OFF)";
}

#endif  // ZOR_WITH_TREE_GENERATOR
