// The indexed lookups must leave exactly what the linear scans leave: the
// same console and the same report, proposed DDL and proposed mapping, byte
// for byte, over many generated trees of both shapes and both comparisons.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "driver/command_actions.h"
#include "driver/command_line.h"
#include "driver/run_sequence.h"

#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"

namespace {

namespace fs = std::filesystem;
using zor_bench::TreeMode;
using zor_bench::TreeOptions;
using zor_bench::TreeShape;

// Everything one run leaves behind, in this order.
const char* const kOutputs[] = {"console", "report", "proposed DDL", "proposed mapping"};
using RunOutput = std::array<std::string, 4>;

using zor_test::ReadFile;

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
  return ReadFile(file);
}

// One run as the tool makes it, the command line settled first, with the
// lookups of `strategy`.
RunOutput RunOnce(const fs::path& root, const std::string& output_name,
                  const std::vector<std::string>& flags, LookupStrategy strategy) {
  std::vector<std::string> words{"tool",
                                 "-i",
                                 zor_bench::kSourceXmlName,
                                 zor_bench::kTargetXmlName,
                                 "-m",
                                 zor_bench::kMappingCsvName,
                                 "-o",
                                 output_name};
  words.insert(words.end(), flags.begin(), flags.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  CommandLine line = ScanCommandLine(static_cast<int>(argv.size()), argv.data(), root.string());
  const RunSettings& settings = line.settings;
  std::string console = CaptureStandardOutput(root / (output_name + ".console"), [&] {
    EXPECT_TRUE(ActOnCommandLine(line));
    RunComparison(settings, strategy);
  });
  // The closing summary names the outputs, which differ between the runs;
  // proposed classes get fresh identifiers in every run.
  return {zor_test::ReplaceAll(console, output_name, "OUTPUT"),
          ReadFile(settings.report_path.str()),
          zor_test::MaskUuids(ReadFile(settings.proposed_ddl_path.str())),
          ReadFile(settings.proposed_mapping_path.str())};
}

// Empty when equal; otherwise where the texts part and what stands there.
std::string FirstDifference(const std::string& linear, const std::string& indexed) {
  if (linear == indexed) return "";
  const size_t at =
      std::mismatch(linear.begin(), linear.end(), indexed.begin(), indexed.end()).first -
      linear.begin();
  auto excerpt = [at](const std::string& text) { return text.substr(at < 60 ? 0 : at - 60, 160); };
  return "first difference at byte " + std::to_string(at) + "\n  linear:  " + excerpt(linear) +
         "\n  indexed: " + excerpt(indexed);
}

std::string Describe(const TreeOptions& options, const std::vector<std::string>& flags) {
  std::ostringstream out;
  out << "tree: zor_generate --classes " << options.classes << " --attributes "
      << options.attributes << " --mode " << zor_bench::ModeName(options.mode) << " --seed "
      << options.seed << " --shape " << zor_bench::ShapeName(options.shape)
      << (options.old_layout ? " --old" : "") << "; run with";
  for (const std::string& flag : flags) out << " " << flag;
  return out.str();
}

// Texts that show a verdict was reached, to make sure the generated trees
// keep exercising every branch rather than agreeing on nothing.
const char* const kVerdictMarkers[] = {
    "not found in mapping table!",              // red: no class row
    "is badly mapped in mapping table: no V5",  // red: no target named
    "not found in existing V5",                 // blue
    "#990099",                                  // purple reason
    "was explicitly unmapped",                  // orange
    "#444444",                                  // retained attribute
    "is now missing the above inherited",       // child warning
    "valid in mapping table and V5",            // green
    "#003600",                                  // valid attribute
    "Provide new attribute",                    // missing attribute
};

class LookupEquivalenceTest : public ::testing::Test {
 protected:
  // Generates the tree, runs both strategies with each set of flags, and
  // compares what they leave.
  void CheckTree(const TreeOptions& options, bool second_run_old) {
    fs::remove_all(root_);
    ASSERT_EQ(zor_bench::WriteTree(zor_bench::GenerateTree(options), root_), "");
    auto flags_for = [&](bool old, bool trace) {
      std::vector<std::string> flags;
      if (options.mode == TreeMode::kV5ToV5) flags.push_back("-v5");
      if (old) flags.push_back("-old");
      if (trace) flags.push_back("-t");
      return flags;
    };
    for (const auto& flags :
         {flags_for(options.old_layout, true), flags_for(second_run_old, false)}) {
      RunOutput linear = RunOnce(root_, "linear_scans", flags, LookupStrategy::kLinearScans);
      RunOutput indexed = RunOnce(root_, "indexed", flags, LookupStrategy::kIndexed);
      for (const char* marker : kVerdictMarkers) {
        if (linear[1].find(marker) != std::string::npos) markers_seen_.insert(marker);
      }
      for (size_t i = 0; i < linear.size(); ++i) {
        std::string difference = FirstDifference(linear[i], indexed[i]);
        // The first few differences say enough; the rest would bury them.
        if (!difference.empty() && ++differences_ <= 5) {
          ADD_FAILURE() << kOutputs[i] << " differs\n"
                        << Describe(options, flags) << "\n"
                        << difference;
        }
      }
    }
  }

  zor_test::ScratchDirectory scratch_;
  const fs::path root_ = scratch_ / "tree";
  int differences_ = 0;
  std::set<std::string> markers_seen_;
};

TEST_F(LookupEquivalenceTest, IndexedLookupsLeaveWhatLinearScansLeave) {
  for (std::uint64_t seed = 0; seed < 60; ++seed) {
    for (TreeMode mode : {TreeMode::kV4ToV5, TreeMode::kV5ToV5}) {
      for (TreeShape shape : {TreeShape::kRealistic, TreeShape::kHostile}) {
        const TreeOptions options{4 + static_cast<int>(seed % 29),
                                  static_cast<int>(seed % 7),
                                  mode,
                                  shape,
                                  seed,
                                  seed % 3 == 0};
        // The dev trace shows each lookup's steps; the second run also
        // reads a tree in the layout it was not made for now and then.
        CheckTree(options, seed % 5 == 0 ? !options.old_layout : options.old_layout);
      }
    }
  }
  EXPECT_EQ(differences_, 0) << "runs whose outputs differ";
  for (const char* marker : kVerdictMarkers) {
    EXPECT_TRUE(markers_seen_.count(marker)) << "no generated tree produced \"" << marker << "\"";
  }
}

// A failure above names a seed; that seed must give the same tree again.
TEST(TreeGeneratorTest, SameOptionsGiveTheSameTree) {
  TreeOptions options{30, 4, TreeMode::kV5ToV5, TreeShape::kHostile, 11};
  auto texts = [](const zor_bench::GeneratedTree& tree) {
    return std::vector<std::string>{tree.source_xml, tree.target_xml, tree.mapping_csv};
  };
  const std::vector<std::string> first = texts(zor_bench::GenerateTree(options));
  EXPECT_EQ(texts(zor_bench::GenerateTree(options)), first);
  options.seed = 12;
  EXPECT_NE(texts(zor_bench::GenerateTree(options)), first);
}

}  // namespace

#else

TEST(LookupEquivalenceTest, NeedsTheTreeGenerator) {
  GTEST_SKIP() << "built without the benchmark tools (ZOR_BUILD_BENCH=OFF)";
}

#endif  // ZOR_WITH_TREE_GENERATOR
