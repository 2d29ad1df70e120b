// The explorer page's block takes a run's items as plain data; a page made
// of the same run's saved records (bench's reader) must carry the same block,
// byte for byte, on generated trees of every shape and with decisions.
#include "explore/suggestion_feed.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../support/test_support.h"

#if defined(ZOR_WITH_TREE_GENERATOR) && defined(ZOR_WITH_RECORD_READER)
#include "bench/suggestion_record_reader.h"
#include "bench/tree_generator.h"
#include "output/suggest_report.h"

namespace {

namespace fs = std::filesystem;

TEST(SuggestionFeed, RunGivesTheBlockItsSavedRecordsGive) {
  for (auto shape : {zor_bench::TreeShape::kRealistic, zor_bench::TreeShape::kHostile}) {
    zor_test::ScratchDirectory folder;
    zor_bench::TreeOptions options;
    options.classes = 60;
    options.attributes = 5;
    options.shape = shape;
    options.seed = 5;
    ASSERT_EQ(zor_bench::WriteTree(zor_bench::GenerateTree(options), folder.path()), "");
    const fs::path d = folder.path() / "Dictionary";
    SuggestionRequest request;
    request.inputs = {(d / "V4_Exported_XML/source.xml").string(),
                      (d / "V5_Exported_XML/target.xml").string(),
                      (d / "MappingTable/mapping.csv").string()};
    request.inputs.quiet = true;
    std::ostringstream out, err;
    CliStreams io{out, err};
    SuggestionRun first;
    ASSERT_EQ(RunSuggestions(request, io, first), kExitClean) << err.str();
    ASSERT_FALSE(first.output.classes.empty());
    // A decision, so that a No Mapping and its row travel too.
    const std::string key = first.work.input.source[first.output.classes.front().source].key.str();
    const nlohmann::json decisions = {{"format", "zorvez-review-decisions"},
                                      {"version", 1},
                                      {"decisions", {{{"class", key}, {"no_mapping", true}}}}};
    zor_test::WriteFile(folder.path() / "decisions.json", decisions.dump());
    request.decisions_path = (folder.path() / "decisions.json").string();
    SuggestionRun run;
    ASSERT_EQ(RunSuggestions(request, io, run), kExitClean) << err.str();
    ASSERT_TRUE(run.output.classes.front().no_mapping);

    SuggestionBlock typed, saved;
    FeedSuggestionBlock(run, typed);
    PrepareSuggestionBlock(run, saved);
    std::ostringstream records;
    WriteSuggestionRecords(records, run.work, run.output, run.rows);
    std::istringstream lines(records.str());
    for (std::string line; std::getline(lines, line);) {
      if (auto record = ReadSuggestionRecord(nlohmann::json::parse(line))) saved.Add(*record);
    }
    EXPECT_EQ(typed.Json(), saved.Json()) << zor_bench::ShapeName(shape);
  }
}

}  // namespace

#endif
