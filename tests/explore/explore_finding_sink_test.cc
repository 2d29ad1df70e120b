// The page written straight from a comparison is, byte for byte, the page
// written from the JSON Lines records of the same comparison.
#include "explore/explore_finding_sink.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../support/test_support.h"
#include "comparison_run/comparison_run.h"
#include "output/json_lines_renderer.h"
#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"
#endif

namespace {

namespace fs = std::filesystem;

struct Tree {
  std::string name;
  fs::path dictionary;
  std::string source, target, table;
  bool v5v5 = false;
};

FindingRunOptions RunOf(const Tree& tree) {
  return {(tree.dictionary / "V4_Exported_XML" / tree.source).string(),
          (tree.dictionary / "V5_Exported_XML" / tree.target).string(),
          (tree.dictionary / "MappingTable" / tree.table).string(), tree.v5v5, false};
}

std::string PageFromSink(const Tree& tree, const ExplorePageOptions& options) {
  std::ostringstream page, out, err;
  CliStreams io{out, err};
  ExplorePageWriter writer(page, options);
  ExploreFindingSink sink(writer, tree.v5v5);
  ComparisonTotals totals;
  TableInput table = ReadTableInput(RunOf(tree).mapping_path);
  EXPECT_EQ(RunFindings(RunOf(tree), table, io, sink, totals), kExitClean) << err.str();
  sink.Finish(totals);
  writer.Finish();
  return page.str();
}

std::string PageFromRecords(const Tree& tree, const ExplorePageOptions& options) {
  std::ostringstream page, out, err;
  CliStreams io{out, err};
  ExplorePageWriter writer(page, options);
  JsonLinesRenderer records([&](std::string_view line) { writer.Add(nlohmann::json::parse(line)); },
                            tree.v5v5);
  ComparisonTotals totals;
  TableInput table = ReadTableInput(RunOf(tree).mapping_path);
  EXPECT_EQ(RunFindings(RunOf(tree), table, io, records, totals), kExitClean) << err.str();
  records.Finish(totals);
  writer.Finish();
  return page.str();
}

TEST(ExploreFindingSink, WritesThePageTheRecordsWrite) {
  zor_test::ScratchDirectory scratch;
  zor_test::CopyExample("v4v5", scratch / "v4v5");
  zor_test::CopyExample("v5v5", scratch / "v5v5");
  std::vector<Tree> trees = {
      {"v4v5", scratch / "v4v5" / "Dictionary", "plant_v4.xml", "plant_v5.xml",
       "plant_mapping.csv"},
      {"v5v5", scratch / "v5v5" / "Dictionary", "plant_a.xml", "plant_b.xml", "plant_mapping.csv",
       true},
      {"hostile", fs::path(ZOR_TEST_DATA_DIR) / "explore" / "hostile" / "Dictionary",
       "hostile_v4.xml", "hostile_v5.xml", "hostile_mapping.csv"},
  };
#ifdef ZOR_WITH_TREE_GENERATOR
  // Generated trees of every mode and shape: all finding kinds, odd names.
  using namespace zor_bench;
  for (TreeMode mode : {TreeMode::kV4ToV5, TreeMode::kV5ToV5}) {
    for (TreeShape shape : {TreeShape::kRealistic, TreeShape::kHostile}) {
      std::string name = std::string(ModeName(mode)) + "-" + ShapeName(shape);
      TreeOptions options;
      options.classes = 300, options.mode = mode, options.shape = shape, options.seed = 7;
      ASSERT_EQ(WriteTree(GenerateTree(options), scratch / name), "");
      trees.push_back({name, scratch / name / "Dictionary", kSourceXmlName, kTargetXmlName,
                       kMappingCsvName, mode == TreeMode::kV5ToV5});
    }
  }
#endif
  for (const Tree& tree : trees) {
    SCOPED_TRACE(tree.name);
    for (size_t chunk : {size_t{1}, size_t{256}}) {
      ExplorePageOptions options;
      options.classes_per_chunk = chunk;
      options.report_path = "report.html";
      const std::string direct = PageFromSink(tree, options);
      EXPECT_EQ(direct, PageFromRecords(tree, options));
      EXPECT_NE(direct.find("zv-chunk-0"), std::string::npos);
    }
  }
}

}  // namespace
