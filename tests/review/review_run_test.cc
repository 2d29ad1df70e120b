// A review answers each decision by laying it on the items it touches; the
// decisions file it keeps, given to `suggest --decisions`, must give every
// item the same candidates, acceptance and row, and taking a decision back
// must give each item exactly what it showed before.
#include "review/review_run.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "../support/test_support.h"

#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"

namespace {

namespace fs = std::filesystem;

// An item's suggestion and row, as a string to compare and to show.
template <typename Candidate>
void Describe(std::ostringstream& out, const std::vector<Candidate>& candidates) {
  for (const Candidate& c : candidates) {
    if constexpr (std::is_same_v<Candidate, ClassCandidate>) {
      out << " [" << c.target;
    } else {
      out << " [" << c.target_class << "." << c.target_attribute;
    }
    out << " " << c.score << " " << c.evidence << " " << c.taken_by << "]";
  }
}

std::string RowOf(const RowPlan& rows, const ItemRow& row, const std::string& written) {
  std::string text = std::string(FateCode(row.fate)) + " " + written;
  if (const std::string* instead = rows.Row(row)) text += " instead " + *instead;
  if (row.note != ItemRow::kNone) text += " note " + rows.NoteText(row.note);
  return text;
}

// Every item of a run, one line each: what the review shows of it.
std::vector<std::string> Shown(const SuggestOutput& output, const RowPlan& rows,
                               const std::function<std::string(const ItemRef&)>& written) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < output.classes.size(); ++i) {
    std::ostringstream out;
    const ClassSuggestion& s = output.classes[i];
    out << "class " << i << " " << s.accepted << s.no_mapping;
    Describe(out, s.candidates);
    out << " | " << RowOf(rows, rows.classes[i], written({true, i}));
    lines.push_back(out.str());
  }
  for (size_t a = 0; a < output.attributes.size(); ++a) {
    std::ostringstream out;
    const AttributeSuggestion& s = output.attributes[a];
    out << "attribute " << a << " " << s.accepted << s.no_mapping;
    Describe(out, s.candidates);
    out << " | " << RowOf(rows, rows.attributes[a], written({false, a}));
    lines.push_back(out.str());
  }
  return lines;
}

std::vector<std::string> Shown(const ReviewRun& review) {
  return Shown(review.Output(), review.Rows(),
               [&](const ItemRef& ref) { return review.WrittenRow(ref); });
}

// A decision a reviewer might take: a candidate, any target of the
// dictionary, No Mapping, or the item left open again.
Decision AnyDecision(const ReviewRun& review, const ItemRef& ref, std::mt19937_64& random) {
  const SuggestInput& input = review.Work().input;
  Decision d;
  d.entry = 0;
  switch (random() % 4) {
    case 0:
      return Decision{};
    case 1:
      d.no_mapping = true;
      return d;
    case 2:
      if (ref.is_class && !review.Output().classes[ref.item].candidates.empty()) {
        d.target_class =
            static_cast<uint32_t>(review.Output().classes[ref.item].candidates[0].target);
        return d;
      }
      if (!ref.is_class && !review.Output().attributes[ref.item].candidates.empty()) {
        const AttributeCandidate& c = review.Output().attributes[ref.item].candidates[0];
        d.target_class = c.target_class;
        d.target_attribute = c.target_attribute;
        return d;
      }
      [[fallthrough]];
    default:
      for (int tries = 0; tries < 50; ++tries) {
        // The first class of a key is the one a decisions file names.
        const size_t t = random() % input.target.size();
        const auto first =
            std::find_if(input.target.begin(), input.target.end(),
                         [&](const SuggestClass& c) { return c.key == input.target[t].key; });
        if (static_cast<size_t>(first - input.target.begin()) != t) continue;
        d.target_class = static_cast<uint32_t>(t);
        if (ref.is_class) return d;
        if (input.target[t].attributes.empty()) continue;
        d.target_attribute = static_cast<uint32_t>(random() % input.target[t].attributes.size());
        const auto& attributes = input.target[t].attributes;
        const auto same = std::find_if(
            attributes.begin(), attributes.end(),
            [&](const SuggestAttribute& a) { return a.key == attributes[d.target_attribute].key; });
        if (static_cast<uint32_t>(same - attributes.begin()) == d.target_attribute) return d;
      }
      d.no_mapping = true;
      return d;
  }
}

class ReviewRunTest : public ::testing::TestWithParam<zor_bench::TreeShape> {};

TEST_P(ReviewRunTest, DecisionsGiveWhatSuggestGivesAndUndoRestoresEachItem) {
  for (uint64_t seed : {3, 11}) {
    zor_test::ScratchDirectory folder;
    zor_bench::TreeOptions options;
    options.classes = 70;
    options.attributes = 6;
    options.shape = GetParam();
    options.seed = seed;
    ASSERT_EQ(zor_bench::WriteTree(zor_bench::GenerateTree(options), folder.path()), "");
    const fs::path dictionary = folder.path() / "Dictionary";
    SuggestionRequest request;
    request.inputs.source_path = (dictionary / "V4_Exported_XML" / "source.xml").string();
    request.inputs.target_path = (dictionary / "V5_Exported_XML" / "target.xml").string();
    request.inputs.mapping_path = (dictionary / "MappingTable" / "mapping.csv").string();
    request.inputs.quiet = true;
    std::ostringstream out, err;
    CliStreams io{out, err};
    std::unique_ptr<ReviewRun> review = ReviewRun::Load(request, io);
    ASSERT_TRUE(review) << err.str();
    ASSERT_GT(review->Output().classes.size(), 2u) << "the tree gives too few items to review";

    std::mt19937_64 random(seed);
    const size_t classes = review->Output().classes.size();
    const size_t attributes = review->Output().attributes.size();
    for (int step = 0; step < 120; ++step) {
      const bool is_class = attributes == 0 || random() % 3 == 0;
      const ItemRef ref{is_class, random() % (is_class ? classes : attributes)};
      if (!review->Nameable(ref)) continue;
      const Decision decision = AnyDecision(*review, ref, random);
      const std::vector<std::string> before = Shown(*review);
      std::vector<DecisionChange> taken_back;
      review->Decide({{ref, decision}}, &taken_back);
      if (step % 5 == 0) {
        review->Decide(taken_back);
        EXPECT_EQ(Shown(*review), before)
            << "taking back step " << step << " changed what items show";
      }
    }

    const fs::path file = folder.path() / "decisions.json";
    zor_test::WriteFile(file, review->DecisionsFileText());
    SuggestionRun run;
    request.decisions_path = file.string();
    ASSERT_EQ(RunSuggestions(request, io, run), kExitClean) << err.str();
    EXPECT_EQ(run.decided.Carried(), review->DecisionCount());
    const RowPlanner planner(run.work, zor_test::ReadFile(request.inputs.mapping_path),
                             request.inputs.mapping_path);
    auto written = [&](const ItemRef& ref) -> std::string {
      for (const ProposedRow& proposed : run.rows.written) {
        if (proposed.is_class == ref.is_class && proposed.item == ref.item)
          return planner.Text(run.output, proposed);
      }
      return "";
    };
    const std::vector<std::string> review_shows = Shown(*review);
    const std::vector<std::string> suggest_gives = Shown(run.output, run.rows, written);
    ASSERT_EQ(review_shows.size(), suggest_gives.size());
    for (size_t k = 0; k < review_shows.size(); ++k)
      EXPECT_EQ(review_shows[k], suggest_gives[k]) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, ReviewRunTest,
                         ::testing::Values(zor_bench::TreeShape::kRealistic,
                                           zor_bench::TreeShape::kHostile));

}  // namespace

#endif  // ZOR_WITH_TREE_GENERATOR
