// The matcher's signals, each on a small dictionary where it alone decides,
// and its manners with hostile names.
#include "suggest/suggest_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "../lexicon/tiny_wordnet.h"
#include "../support/test_support.h"
#include "lexicon/lexicon.h"
#include "suggest/global_assignment.h"
#include "suggest/name_words.h"

namespace {

// A name that lives as long as the tests.
Name Kept(std::string_view text) {
  static NameStore names;
  return names.Keep(text);
}

SuggestClass Class(std::string label, std::string key, std::string parent_key = "",
                   std::vector<std::string> attributes = {}) {
  SuggestClass c{Kept(label), Kept(key), "", Kept(parent_key), {}};
  for (const std::string& a : attributes) c.attributes.push_back({Kept(a), Kept(a)});
  return c;
}

struct MatchRun {
  SuggestInput input;
  SuggestOptions options;

  // One source class, the item, against target classes keyed T0, T1, ...
  static MatchRun OneAgainst(const char* source, const std::vector<std::string>& targets) {
    MatchRun run;
    run.input.source = {Class(source, "S")};
    for (size_t t = 0; t < targets.size(); ++t) {
      std::string key = "T";  // appended, not "T" + ...: one compiler warns of that wrongly
      run.input.target.push_back(Class(targets[t], key.append(std::to_string(t))));
    }
    run.input.class_items = {0};
    return run;
  }

  // The first candidates' target keys for the first class item.
  std::vector<std::string> Ranked(uint32_t off = 0) {
    SuggestOptions o = options;
    o.signals &= ~off;
    const SuggestOutput out = Suggest(input, o);
    std::vector<std::string> keys;
    for (const ClassCandidate& c : out.classes.at(0).candidates)
      keys.push_back(input.target[c.target].key.str());
    return keys;
  }
  std::vector<double> Scores(uint32_t off = 0) {
    SuggestOptions o = options;
    o.signals &= ~off;
    std::vector<double> scores;
    const SuggestOutput out = Suggest(input, o);  // a range over a temporary's member would dangle
    for (const ClassCandidate& c : out.classes.at(0).candidates) scores.push_back(c.score);
    return scores;
  }
};

TEST(SuggestWords, NamesSplitIntoFoldedWords) {
  const struct {
    const char* name;
    std::vector<std::string> words;
  } cases[] = {
      {"FlowRate", {"flow", "rate"}},
      {"flow_rate-2.x", {"flow", "rate", "2", "x"}},
      {"PDFFile", {"pdf", "file"}},
      {"Pump12B", {"pump", "12", "b"}},
      {"  Éclair  Ĳssel ", {"eclair", "ijssel"}},
      {"Stra\xdf"
       "e",
       {"strasse"}},  // windows-1252 bytes read one a character
      {"a,b", {"a", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(NameWords(c.name), c.words) << c.name;
}

TEST(SuggestSignals, ARenameLearnedFromTheTableDecides) {
  MatchRun run;
  // Keys of single distinct letters, so that only the labels speak.
  run.input.source = {Class("TempValve", "a"), Class("TempPump", "b"), Class("TempGauge", "c")};
  run.input.target = {Class("TemperatureValve", "d"), Class("TemperaturePump", "e"),
                      Class("PressureValve", "f"),    Class("PressurePump", "g"),
                      Class("PressureGauge", "h"),    Class("TemperatureGauge", "i")};
  run.input.class_anchors = {{0, 0}, {1, 1}};
  run.input.class_items = {2};
  EXPECT_EQ(run.Ranked().at(0), "i");
  const std::vector<double> without = run.Scores(kSignalLearned);
  ASSERT_GE(without.size(), 2u);
  EXPECT_DOUBLE_EQ(without[0], without[1]);  // "gauge" alone cannot tell them apart
}

// A mirrored tie ("Leaving" and "Entering" both replace "Supply") breaks
// toward the rename the rows show.
TEST(SuggestSignals, TheRowsRenameBreaksAMirroredTie) {
  MatchRun run;
  run.input.source = {Class("Chilled Water Supply Flow Sensor", "a"),
                      Class("Hot Water Supply Temperature", "b"),
                      Class("Condenser Supply Valve", "c")};
  run.input.target = {Class("Chilled Water Entering Flow Sensor", "d"),
                      Class("Chilled Water Leaving Flow Sensor", "e"),
                      Class("Hot Water Leaving Temperature", "f"),
                      Class("Condenser Leaving Valve", "g"),
                      Class("Hot Water Entering Temperature", "h"),
                      Class("Condenser Entering Valve", "i")};
  run.input.class_items = {0};
  const std::vector<double> open = run.Scores();
  ASSERT_GE(open.size(), 2u);
  EXPECT_DOUBLE_EQ(open[0], open[1]);
  run.input.class_anchors = {{1, 2}, {2, 3}};
  EXPECT_EQ(run.Ranked().at(0), "e");
  EXPECT_TRUE(Suggest(run.input, run.options).classes[0].accepted);
}

TEST(SuggestSignals, TheParentsMappingDecidesBetweenEqualLabels) {
  MatchRun run;
  run.input.source = {Class("Pumps", "P"), Class("Impeller", "I", "P")};
  run.input.target = {Class("Fan Family", "FF"), Class("Pump Family", "PF"),
                      Class("Impeller", "I1", "FF"), Class("Impeller", "I2", "PF")};
  run.input.class_anchors = {{0, 1}};
  run.input.class_items = {1};
  EXPECT_EQ(run.Ranked().at(0), "I2");
  const SuggestOutput out = Suggest(run.input, run.options);
  EXPECT_TRUE(out.classes[0].accepted);
  EXPECT_NE(out.classes[0].candidates[0].evidence & kSignalHierarchy, 0u);
  const std::vector<double> without = run.Scores(kSignalHierarchy);
  EXPECT_DOUBLE_EQ(without.at(0), without.at(1));
}

// A target rows already take is demoted, less so the more rows share it:
// many sources map to one target in real migrations.
TEST(SuggestSignals, ATargetManyRowsShareIsLessSpokenFor) {
  std::vector<double> scores;
  for (size_t rows : {0, 1, 3}) {
    MatchRun run = MatchRun::OneAgainst("Seal Housing", {"Seal Housing Assembly", "Hotel"});
    for (size_t r = 0; r < rows; ++r) {
      std::string number = std::to_string(r);
      run.input.source.push_back(Class(std::string("Gland ").append(number), "G" + number));
      run.input.class_anchors.push_back({run.input.source.size() - 1, 0});
    }
    scores.push_back(run.Scores().at(0));
  }
  EXPECT_GT(scores[0], scores[2]);
  EXPECT_GT(scores[2], scores[1]);
}

TEST(SuggestSignals, TheTableSaysHowMuchATakenTargetCounts) {
  // "Gland" already takes "Seal Housing"; ten other rows either give each
  // source a target of its own or gather them into one. Where rows share,
  // a taken target counts for more.
  std::vector<double> scores;
  for (bool sharing : {false, true}) {
    MatchRun run = MatchRun::OneAgainst("Housing Seal", {"Seal Housing", "Pump"});
    run.input.source.push_back(Class("Gland", "G"));
    run.input.class_anchors.push_back({1, 0});
    for (int r = 0; r < 10; ++r) {
      const std::string number = std::to_string(r);
      run.input.source.push_back(Class("Pump " + number, "P" + number));
      size_t target = 1;
      if (!sharing) {
        run.input.target.push_back(Class("Pump " + number, "TP" + number));
        target = run.input.target.size() - 1;
      }
      run.input.class_anchors.push_back({run.input.source.size() - 1, target});
    }
    EXPECT_EQ(run.Ranked().at(0), "T0");
    scores.push_back(run.Scores().at(0));
  }
  EXPECT_LT(scores[0], scores[1]);
}

TEST(SuggestSignals, SharedAttributesDecide) {
  MatchRun run;
  run.input.source = {Class("Widget", "W", "", {"alpha", "beta", "gamma"})};
  run.input.target = {Class("Widget", "W2", "", {"delta"}),
                      Class("Widget", "W1", "", {"alpha", "beta", "gamma"})};
  run.input.class_items = {0};
  EXPECT_EQ(run.Ranked().at(0), "W1");
  const std::vector<double> without = run.Scores(kSignalAttributes);
  EXPECT_DOUBLE_EQ(without.at(0), without.at(1));
}

TEST(SuggestSignals, ATypoIsASpellingVariant) {
  MatchRun run;
  run.input.source = {Class("Centrifugal Pump", "a")};
  run.input.target = {Class("Piston Pump", "b"), Class("Centrifugl Pump", "c")};
  run.input.class_items = {0};
  EXPECT_EQ(run.Ranked().at(0), "c");
  const std::vector<double> without = run.Scores(kSignalSpelling);
  EXPECT_DOUBLE_EQ(without.at(0), without.at(1));
}

TEST(SuggestSignals, AMistypedTargetKeyInTheRowPointsToTheClassMeant) {
  // The class's own name fits neither target; its row names "StrainrBaskt".
  MatchRun run;
  run.input.source = {Class("Sieve", "a")};
  run.input.target = {Class("Filter Basket", "FilterBasket"),
                      Class("Strainer Basket", "StrainerBasket")};
  run.input.class_items = {0};
  run.input.class_item_rows = {"StrainrBasket"};
  EXPECT_EQ(run.Ranked().at(0), "StrainerBasket");
  const SuggestOutput out = Suggest(run.input, run.options);
  EXPECT_NE(out.classes[0].candidates[0].evidence & kSignalRow, 0u);
  EXPECT_NE(out.classes[0].candidates[0].evidence & kSignalSpelling, 0u);
  const std::vector<double> without = run.Scores(kSignalSpelling);
  EXPECT_DOUBLE_EQ(without.at(0), without.at(1));  // "basket" alone
}

// A slip of the keyboard in a long word leaves one word, even where it
// changes the stem ("organ" and "organis") or half the trigrams; a long
// shared beginning, a slip in a short word or in the first letter does
// not, nor one between two spellings that one side holds both of.
TEST(SuggestSignals, ASlipInALongWordOrAClassicalPluralIsOneWord) {
  const struct {
    const char* source;
    std::vector<std::string> targets;  // the first is the one meant
    bool slip;
  } cases[] = {
      {"Organization", {"Organisation", "Organizator"}, true},
      {"Sponsor Fee", {"Sponzor Fee", "Hotel Fee"}, true},
      {"Aluminium Plate", {"Aluminum Plate", "Steel Plate"}, true},
      {"Conductor Rail", {"Condcutor Rail", "Guide Rail"}, true},
      {"Organization", {"Organizator", "Agency"}, false},
      {"Heater Coil", {"Header Coil", "Cooling Coil"}, false},
      {"Anterior Wall", {"Interior Wall", "Side Wall"}, false},
      {"Internal Pipe", {"Interval Pipe", "Internal Lining"}, false},
      {"Coeliac Artery", {"Celiac Artery", "Hepatic Artery"}, true},  // a letter of seven dropped
      {"Ophthalmic Nerve", {"Opthalmic Nerve", "Optic Nerve"}, true},
      {"Trabeculum Tissue", {"Trabecula Tissue", "Muscle Tissue"}, true},  // -um and -a
      {"Bronchus Wall", {"Bronchi Wall", "Airway Wall"}, true},            // -us and -i
      {"Testis Artery", {"Testes Artery", "Hepatic Artery"}, true},        // -is and -es
      {"Septum Wall", {"Septa Wall", "Cell Wall"}, true},                  // a short -um
      {"Virus Filter", {"Viri Filter", "Water Filter"}, false},            // too short to be Latin
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MatchRun run = MatchRun::OneAgainst(c.source, c.targets);
    const SuggestOutput out = Suggest(run.input, run.options);
    const auto& candidates = out.classes[0].candidates;
    const auto meant = std::find_if(candidates.begin(), candidates.end(),
                                    [](const ClassCandidate& k) { return k.target == 0; });
    const bool spelt = meant != candidates.end() && (meant->evidence & kSignalSpelling) != 0;
    EXPECT_EQ(spelt, c.slip);
    if (c.slip) {
      EXPECT_EQ(meant, candidates.begin());
      EXPECT_GT(candidates[0].score, candidates.size() > 1 ? candidates[1].score : 0.0);
    }
  }
}

// A target that reads as the item's own name and that nothing takes stays
// first, whatever a synonym and the hierarchy bring to a rewritten name; a
// row taking it leaves the rest to compete.
TEST(SuggestSignals, TheItemsOwnNameIsNeverOutrankedByARewrite) {
  Lexicon lexicon;
  lexicon.AddUserGroups({{1, {"supply", "leaving"}}});
  MatchRun run;
  run.input.source = {Class("Sensor", "SN"), Class("Supply Temperature", "SUP", "SN")};
  run.input.target = {Class("Sensor", "T0"), Class("Leaving Temperature", "T1", "T0"),
                      Class("Supply Temperature", "T2", "T3"), Class("Misc", "T3")};
  run.input.class_anchors = {{0, 0}};
  run.input.class_items = {1};
  run.options.lexicon = &lexicon;
  EXPECT_EQ(run.Ranked(kSignalOwnName).at(0), "T1");  // the rewrite leads without the rule
  EXPECT_EQ(run.Ranked().at(0), "T2");
  EXPECT_TRUE(Suggest(run.input, run.options).classes[0].accepted);
  {
    // The user's whole-name synonym outranks a phrase of it met through a stem.
    Lexicon rooms;
    rooms.AddUserGroups({{1, {"restroom", "rest room", "toilet"}}});
    MatchRun toilet = MatchRun::OneAgainst("Restroom", {"Toilet", "Resting Room", "Storage Room"});
    toilet.options.lexicon = &rooms;
    EXPECT_EQ(toilet.Ranked().at(0), "T0");
  }
  // A row that takes the own name's target does not bury it: the row is
  // named as burying it.
  run.input.source.push_back(Class("Supply Temp", "SUT"));
  run.input.class_anchors.push_back({2, 2});
  EXPECT_EQ(run.Ranked().at(0), "T2");
  const SuggestOutput out = Suggest(run.input, run.options);
  EXPECT_TRUE(out.classes[0].accepted);
  ASSERT_EQ(out.burying_rows.size(), 1u);
  EXPECT_EQ(out.burying_rows[0].row_source, 2u);
}

// Whether an item's first candidate is accepted, over the shapes renames
// take: the item is the first source class, and the others only stand by
// (classes the table maps to targets the target lacks: they may claim a
// target); "rows" map a source class onto a target class as the table does.
TEST(SuggestAcceptance, RenamesAreJudgedOnTheirEvidence) {
  struct Source {
    Source(const char* n, std::vector<std::string> a = {}) : name(n), attributes(std::move(a)) {}
    const char* name;
    std::vector<std::string> attributes;
  };
  const struct {
    const char* shape;
    std::vector<Source> sources;
    std::vector<Source> targets;
    std::vector<std::pair<size_t, size_t>> rows;  // source, target
    std::vector<std::string> synonyms;            // one group
    const char* first;
    Acceptance verdict;
    std::vector<size_t> items = {0};
    double min_score = AcceptanceRules{}.min_score;
  } cases[] = {
      {"broader, the only class that could go there",
       {{"Urinary Bladder Mucosa"}, {"Urinary Bladder"}},
       {{"Bladder Mucosa"}, {"Bladder"}, {"Mucosa Layer"}},
       {},
       {},
       "Bladder Mucosa",
       Acceptance::kAccepted},
      {"broader, as much another's",
       {{"Skin Gland"}, {"Tail Gland"}, {"Ear Gland"}, {"Skin Graft"}, {"Skin Layer"}},
       {{"Gland"}, {"Skin Fold"}, {"Skin Graft"}, {"Skin Layer"}},
       {},
       {},
       "Gland",
       Acceptance::kBroader},
      {"words that share a stem",
       {{"Intestine Mucosa"}},
       {{"Intestinal Mucosa"}, {"Gastric Mucosa"}},
       {},
       {},
       "Intestinal Mucosa",
       Acceptance::kAccepted},
      {"head words that share only a stem",
       {{"Presentation"}},
       {{"Presenter"}, {"Presenter Badge"}},
       {},
       {},
       "Presenter",
       Acceptance::kNotClear},
      {"a series numbered another way",
       {{"Cervical Vertebra 1"}, {"Cervical Vertebra 2"}, {"Cervical Vertebra 3"}},
       {{"C1 Vertebra"}, {"C2 Vertebra"}, {"C3 Vertebra"}},
       {},
       {},
       "C1 Vertebra",
       Acceptance::kAccepted},
      {"a swapped qualifier",
       {{"Brain Meninges"}},
       {{"Cerebral Meninges"}, {"Spinal Meninges"}},
       {},
       {},
       "Cerebral Meninges",
       Acceptance::kNotClear},
      {"a swapped qualifier the user's synonyms explain",
       {{"Brain Meninges"}},
       {{"Cerebral Meninges"}, {"Spinal Meninges"}},
       {},
       {"brain", "cerebral"},
       "Cerebral Meninges",
       Acceptance::kAccepted},
      {"a target another item takes, on names alone",
       {{"Electric Fan"}, {"Blower"}},
       {{"Blower"}, {"Ceiling Fan"}},
       {},
       {"electric fan", "blower"},
       "Blower",
       Acceptance::kHeldOnNames,
       {0, 1},
       0.6},
      {"a target another item takes, and the attributes agree",
       {{"Electric Fan", {"Airflow", "Blade Count"}}, {"Blower", {"Airflow"}}},
       {{"Blower", {"Airflow", "Blade Count"}}, {"Ceiling Fan"}},
       {},
       {"electric fan", "blower"},
       "Blower",
       Acceptance::kAccepted,
       {0, 1},
       0.6},
      {"head words that share only a stem, however clear",
       {{"Presentation"}},
       {{"Presenter"}, {"Presenter Badge"}},
       {},
       {},
       "Presenter",
       Acceptance::kApart,
       {0},
       0.6},
      {"the exact label under another class's row",
       {{"Seal Housing"}, {"Gland"}},
       {{"Seal Housing"}, {"Gland Packing"}},
       {{1, 0}},
       {},
       "Seal Housing",
       Acceptance::kAccepted},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    MatchRun run;
    for (size_t i = 0; i < c.sources.size(); ++i) {
      // Keys appended, not "S" + ...: one compiler warns of that wrongly.
      run.input.source.push_back(Class(c.sources[i].name,
                                       std::string("S").append(std::to_string(i)), "",
                                       c.sources[i].attributes));
    }
    for (size_t i = 0; i < c.targets.size(); ++i) {
      run.input.target.push_back(Class(c.targets[i].name,
                                       std::string("T").append(std::to_string(i)), "",
                                       c.targets[i].attributes));
    }
    for (const auto& [source, target] : c.rows) run.input.class_anchors.push_back({source, target});
    run.input.class_items = c.items;
    Lexicon lexicon;
    if (!c.synonyms.empty()) lexicon.AddUserGroups({{1, c.synonyms}});
    run.options.lexicon = &lexicon;
    run.options.weights.acceptance.min_score = c.min_score;
    const SuggestOutput out = Suggest(run.input, run.options);
    const ClassSuggestion& item = out.classes.at(0);
    ASSERT_FALSE(item.candidates.empty());

    EXPECT_EQ(run.input.target[item.candidates[0].target].label.str(), c.first);
    EXPECT_EQ(AcceptanceWords(item.verdict), AcceptanceWords(c.verdict));
    EXPECT_EQ(item.accepted, c.verdict == Acceptance::kAccepted);
    // A row that took the item's exact label is named as burying it.
    EXPECT_EQ(out.burying_rows.size(),
              c.first == std::string(c.sources[0].name) ? c.rows.size() : 0);
  }
}

// Of two names sharing as many words, the one about the same thing ranks first.
TEST(SuggestSignals, TheHeadWordRanksNamesOfSharedWords) {
  MatchRun run;
  run.input.source = {Class("Pump Casing", "S")};
  run.input.target = {Class("Pump Casing Drain", "D"), Class("Split Pump Casing", "C")};
  run.input.class_items = {0};
  EXPECT_EQ(run.Ranked().at(0), "C");
  const std::vector<double> scores = run.Scores();
  EXPECT_LT(scores.at(1), scores.at(0));
}

TEST(SuggestSignals, TheAssignmentGivesATargetToTheItemItFitsBetter) {
  // Item 0 would take target 0, which item 1 fits far better: item 0 gets
  // target 1. Items 2 and 3 fit target 3 equally and strongly: both keep it.
  std::vector<std::vector<ClassCandidate>> items = {
      {{0, 0.70, 0}, {1, 0.60, 0}}, {{0, 0.95, 0}}, {{3, 0.95, 0}}, {{3, 0.95, 0}}};
  AssignGlobally(items, std::vector<uint32_t>(4, 0), 4, AssignmentRules{});
  EXPECT_EQ(items[0][0].target, 1u);
  EXPECT_NE(items[0][1].evidence & kSignalAssignment, 0u);
  EXPECT_EQ(items[1][0].target, 0u);
  EXPECT_EQ(items[2][0].score, items[3][0].score);
  EXPECT_EQ(items[2][0].evidence | items[3][0].evidence, 0u);
}

// The attribute assignment only decides acceptance: on generated
// dictionaries whose attributes share words, so that items contend for the
// same targets, every attribute candidate keeps its place and its score with
// or without it; only the mark of a target another item took comes on top.
TEST(SuggestSignals, TheAttributeAssignmentKeepsEveryCandidatesScore) {
  const char* const words[] = {"flow", "rate", "pipe", "size", "mesh", "nominal", "head", "power"};
  const char *const targets[] = {"Pump", "Strainer", "Valve"}, *const sources[] = {"P", "S", "V"};
  std::mt19937 random(7);  // the same sequence on every platform
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  auto name = [&] {
    std::string label = words[pick(8)];
    for (size_t w = pick(3); w > 0; --w) label += std::string(" ") + words[pick(8)];
    return label;
  };
  size_t marked = 0;
  for (int round = 0; round < 40; ++round) {
    SuggestInput input;
    for (size_t c = 0; c < 3; ++c) {
      input.target.push_back(Class(targets[c], targets[c]));
      input.source.push_back(Class(sources[c], sources[c]));
      for (size_t a = 0; a < 5; ++a) {
        const std::string target_name = name(), source_name = name();
        input.target[c].attributes.push_back({Kept(target_name), Kept(target_name)});
        input.source[c].attributes.push_back({Kept(source_name), Kept(source_name)});
        input.attribute_items.push_back({c, a});
      }
      input.class_anchors.push_back({c, pick(3)});
    }
    SuggestOptions without;
    without.signals &= ~kSignalAssignment;
    const SuggestOutput plain = Suggest(input, without);
    const SuggestOutput assigned = Suggest(input, SuggestOptions{});
    ASSERT_EQ(plain.attributes.size(), assigned.attributes.size());
    for (size_t i = 0; i < plain.attributes.size(); ++i) {
      const std::vector<AttributeCandidate>& p = plain.attributes[i].candidates;
      const std::vector<AttributeCandidate>& a = assigned.attributes[i].candidates;
      ASSERT_EQ(p.size(), a.size()) << "round " << round << ", item " << i;
      for (size_t k = 0; k < p.size(); ++k) {
        EXPECT_EQ(p[k].target_class, a[k].target_class) << "round " << round << ", item " << i;
        EXPECT_EQ(p[k].target_attribute, a[k].target_attribute)
            << "round " << round << ", item " << i;
        EXPECT_EQ(p[k].score, a[k].score) << "round " << round << ", item " << i;
        EXPECT_EQ(p[k].evidence, a[k].evidence & ~uint32_t{kSignalAssignment});
        if ((a[k].evidence & kSignalAssignment) != 0) ++marked;
      }
    }
  }
  EXPECT_GT(marked, 0u);  // the contests did take place
}

TEST(SuggestSignals, AttributesLookInTheMatchedClassAndItsAncestors) {
  MatchRun run;
  run.input.source = {Class("Pump", "P", "", {"hasFlowRate", "title"})};
  run.input.target = {Class("Equipment", "E", "", {"FlowRate"}),
                      Class("Pump", "P5", "E", {"hasTitle"}),
                      Class("Fan", "F5", "", {"FlowRate", "Heat"})};
  run.input.class_items = {0};
  run.input.attribute_items = {{0, 0}, {0, 1}};
  const SuggestOutput out = Suggest(run.input, run.options);
  ASSERT_EQ(out.attributes.size(), 2u);
  for (const AttributeSuggestion& s : out.attributes) {
    ASSERT_FALSE(s.candidates.empty());
    EXPECT_TRUE(s.accepted);
    EXPECT_NE(s.candidates[0].evidence & kSignalClass, 0u);
  }
  EXPECT_EQ(out.attributes[0].candidates[0].target_class, 0u);  // found in the parent
  EXPECT_EQ(out.attributes[1].candidates[0].target_class, 1u);
}

// A mostly complete table with the odd rows every real table holds: rows
// that send whatever could not be placed to a catch-all attribute teach no
// rename, and the attribute reading exactly as the item is found at home
// however many attributes of a deep lineage share its words.
TEST(SuggestOnRealTables, TheExactAttributeWinsAndACatchAllTeachesNothing) {
  const char* const firsts[] = {"Rated", "Inlet",   "Outlet", "Design",
                                "Test",  "Nominal", "Shell",  "Tube"};
  const char* const seconds[] = {"Volume", "Length", "Speed", "Power",
                                 "Code",   "Weight", "Size",  "Type"};
  MatchRun run;
  // A lineage of eight classes, each holding every first word with three
  // second words and the catch-all; the item's class is the deepest.
  auto named = [](char kind, size_t c) { return kind + std::to_string(c); };
  for (size_t c = 0; c < 8; ++c) {
    std::vector<std::string> attributes{"Vendor Reference"};
    for (const char* first : firsts) {
      for (size_t k = 1; k <= 3; ++k) {
        std::string attribute = first;
        attributes.push_back(attribute.append(" ").append(seconds[(c + k + 1) % 8]));
      }
    }
    run.input.target.push_back(
        Class(named('C', c), named('T', c), c == 0 ? "" : named('T', c - 1), attributes));
    run.input.source.push_back(
        Class(named('C', c), named('S', c), c == 0 ? "" : named('S', c - 1), attributes));
    run.input.class_anchors.push_back({c, c});
    // Every attribute of the class is mapped by a row to itself, but for
    // five sent to the catch-all.
    for (size_t a = 1; a < attributes.size(); ++a) {
      run.input.attribute_anchors.push_back({c, a, c, a % 5 == 0 ? 0 : a});
    }
  }
  // The item: "Rated Volume" of the deepest class, whose target holds it
  // (and so do two of its ancestors); the catch-all is its first attribute.
  SuggestClass& deepest = run.input.source.back();
  deepest.attributes.push_back({Kept("Rated Volume"), Kept("RV")});
  run.input.target.back().attributes.push_back({Kept("Rated Volume"), Kept("RatedVolume")});
  run.input.attribute_items = {{7, deepest.attributes.size() - 1}};
  const SuggestOutput out = Suggest(run.input, run.options);
  const AttributeSuggestion& item = out.attributes.at(0);
  ASSERT_FALSE(item.candidates.empty());
  EXPECT_EQ(item.candidates[0].target_class, 7u);
  EXPECT_EQ(run.input.target[7].attributes[item.candidates[0].target_attribute].key.str(),
            "RatedVolume");
  EXPECT_TRUE(item.accepted);
  for (const AttributeCandidate& c : item.candidates) {
    EXPECT_NE(run.input.target[c.target_class].attributes[c.target_attribute].key.str(),
              "Vendor Reference");
    EXPECT_EQ(c.evidence & kSignalLearned, 0u);
  }
}

// Two target classes of one label: the parent's mapping decides; without
// it nothing does, and neither is accepted.
TEST(SuggestOnRealTables, EqualLabelsUnderUnknownParentsStayTied) {
  MatchRun run;
  run.input.source = {Class("Pumps", "P"), Class("Impeller", "I", "P")};
  run.input.target = {Class("Fan Family", "FF"), Class("Pump Family", "PF"),
                      Class("Impeller", "I1", "FF"), Class("Impeller", "I2", "PF")};
  run.input.class_items = {1};
  const SuggestOutput out = Suggest(run.input, run.options);
  ASSERT_GE(out.classes.at(0).candidates.size(), 2u);
  EXPECT_FALSE(out.classes[0].accepted);
  EXPECT_DOUBLE_EQ(out.classes[0].candidates[0].score, out.classes[0].candidates[1].score);
}

// A class whose name shares nothing with its partner's is found through
// the hierarchy: its parent and its children are settled by the table.
TEST(SuggestSignals, ASettledParentAndChildrenFindAClassByStructureAlone) {
  MatchRun run;
  run.input.source = {Class("Rotating Equipment", "RE"), Class("Sieve", "SV", "RE"),
                      Class("Basket Sieve", "BS", "SV"), Class("Cone Sieve", "CS", "SV")};
  run.input.target = {Class("Machinery", "M"),      Class("Filter Unit", "FU", "M"),
                      Class("Strainer", "ST", "M"), Class("Drum", "DR", "M"),
                      Class("Basket", "BK", "ST"),  Class("Cone", "CN", "ST"),
                      Class("Candle", "CD", "FU")};
  run.input.class_anchors = {{0, 0}, {2, 4}, {3, 5}};
  run.input.class_items = {1};
  EXPECT_EQ(run.Ranked().at(0), "ST");
  EXPECT_EQ(run.Ranked(kSignalHierarchy).size(), 0u);  // the names alone bring no candidate
}

TEST(SuggestManners, HostileInputNeitherCrashesNorWanders) {
  SuggestInput input;
  input.source = {Class("Stra\xdf"
                        "e,\"x\"",
                        "p", "r", {"", "\xff\xfe"}),
                  Class("", "r", "p"), Class("Loop", "C", "C")};
  input.target = {Class("Strasse", "S", "S"), Class("", "", ""),
                  Class("\xc3", "Q", "S", {"\xc3\xa9"})};
  input.class_anchors = {{7, 0}, {2, 9}};  // out of range: ignored
  input.class_items = {0, 1, 2, 5};
  input.attribute_items = {{0, 0}, {0, 1}, {0, 7}, {9, 0}};
  const SuggestOutput first = Suggest(input, SuggestOptions{});
  ASSERT_EQ(first.classes.size(), 3u);
  ASSERT_EQ(first.attributes.size(), 2u);
  EXPECT_EQ(first.classes[0].candidates.at(0).target, 0u);  // the windows-1252 name still folds
  for (const ClassSuggestion& s : first.classes) {
    for (const ClassCandidate& c : s.candidates) {
      EXPECT_GE(c.score, 0.0);
      EXPECT_LE(c.score, 1.0);
    }
  }
  // The same input gives the same answer, candidate for candidate.
  const SuggestOutput again = Suggest(input, SuggestOptions{});
  for (size_t i = 0; i < first.classes.size(); ++i) {
    ASSERT_EQ(first.classes[i].candidates.size(), again.classes[i].candidates.size());
    for (size_t k = 0; k < first.classes[i].candidates.size(); ++k) {
      EXPECT_EQ(first.classes[i].candidates[k].target, again.classes[i].candidates[k].target);
      EXPECT_EQ(first.classes[i].candidates[k].score, again.classes[i].candidates[k].score);
    }
  }
}

}  // namespace

// Items matched on several threads get exactly the suggestions they get on
// one: generated dictionaries with repeated names, a hierarchy and some
// rows already mapped.
TEST(SuggestManners, ThreadsNeverChangeTheSuggestions) {
  auto KeyOf = [](size_t n) {
    std::string key(1, 'K');
    key += std::to_string(n);
    return key;
  };
  const char* const words[] = {"flow",    "rate", "pipe",  "size", "mesh",
                               "nominal", "head", "power", "pump", "valve"};
  std::mt19937 random(11);
  auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  auto name = [&] {
    std::string label = words[pick(10)];
    for (size_t w = pick(3); w > 0; --w) label += std::string(" ") + words[pick(10)];
    return label;
  };
  SuggestInput input;
  for (size_t c = 0; c < 120; ++c) {
    for (std::vector<SuggestClass>* side : {&input.source, &input.target}) {
      std::string label = name();
      label += ' ';
      label += std::to_string(c % 40);
      side->push_back(Class(label, KeyOf(c), c == 0 ? "" : KeyOf(pick(c))));
      for (size_t a = 0; a < 6; ++a) {
        const std::string attribute = name();
        side->back().attributes.push_back({Kept(attribute), Kept(attribute)});
      }
    }
    if (pick(4) == 0) {
      input.class_anchors.push_back({c, pick(120)});
    } else {
      input.class_items.push_back(c);
    }
    for (size_t a = 0; a < 6; ++a) input.attribute_items.push_back({c, a});
  }
  SuggestOptions one, several;
  one.runs = 1;
  several.runs = 3;
  const SuggestOutput a = Suggest(input, one), b = Suggest(input, several);
  ASSERT_EQ(a.classes.size(), b.classes.size());
  for (size_t i = 0; i < a.classes.size(); ++i) {
    EXPECT_EQ(a.classes[i].accepted, b.classes[i].accepted);
    ASSERT_EQ(a.classes[i].candidates.size(), b.classes[i].candidates.size());
    for (size_t k = 0; k < a.classes[i].candidates.size(); ++k) {
      EXPECT_EQ(a.classes[i].candidates[k].target, b.classes[i].candidates[k].target);
      EXPECT_EQ(a.classes[i].candidates[k].score, b.classes[i].candidates[k].score);
      EXPECT_EQ(a.classes[i].candidates[k].evidence, b.classes[i].candidates[k].evidence);
    }
  }
  ASSERT_EQ(a.attributes.size(), b.attributes.size());
  size_t accepted = 0;
  for (size_t i = 0; i < a.attributes.size(); ++i) {
    EXPECT_EQ(a.attributes[i].accepted, b.attributes[i].accepted);
    accepted += a.attributes[i].accepted;
    ASSERT_EQ(a.attributes[i].candidates.size(), b.attributes[i].candidates.size());
    for (size_t k = 0; k < a.attributes[i].candidates.size(); ++k) {
      EXPECT_EQ(a.attributes[i].candidates[k].target_class,
                b.attributes[i].candidates[k].target_class);
      EXPECT_EQ(a.attributes[i].candidates[k].target_attribute,
                b.attributes[i].candidates[k].target_attribute);
      EXPECT_EQ(a.attributes[i].candidates[k].score, b.attributes[i].candidates[k].score);
      EXPECT_EQ(a.attributes[i].candidates[k].evidence, b.attributes[i].candidates[k].evidence);
    }
  }
  EXPECT_GT(accepted, 0u);  // the items did find partners
}

namespace {

// What the lexicon knows decides a pair that the names' spelling leaves
// open: each relation alone, on the tests' own small database and synonyms.
TEST(SuggestLexicon, APertainymAPhraseAndAUserSynonymEachDecideAPairAlone) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteTinyDatabase(scratch / "wordnet");
  Lexicon lexicon;
  ASSERT_EQ(lexicon.LoadWordNet((scratch / "wordnet").string()), "");
  lexicon.AddUserGroups({{1, {"sieve", "strainer"}}, {2, {"organization", "organizational"}}});
  const struct {
    const char* source;
    std::vector<std::string> targets;  // the first is the one meant
    bool accepted;
  } cases[] = {
      {"Renal Valve", {"Kidney Valve", "Heart Valve"}, true},      // a pertainym
      {"Eustachian Tube", {"Auditory Tube", "Drain Tube"}, true},  // a phrase and its synonym
      {"Sieve", {"Strainer", "Filter"}, true},                     // the user's synonym
      {"Chair", {"President", "Seat"}, false},    // a second sense's synonym: nothing
      {"Sieve", {"Strainers", "Filters"}, true},  // the user's synonym, inflected
      // "organizator" shares the stem of "organizational", not its meaning
      {"Organization", {"Organizator", "Filter"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MatchRun run = MatchRun::OneAgainst(c.source, c.targets);
    run.options.lexicon = &lexicon;
    for (uint32_t off : {0u, uint32_t{kSignalStems}}) {  // words as written, or stems
      SuggestOptions options = run.options;
      options.signals &= ~off;
      const SuggestOutput out = Suggest(run.input, options);
      const bool first_meant =
          !out.classes[0].candidates.empty() && out.classes[0].candidates[0].target == 0;
      EXPECT_EQ(first_meant && out.classes[0].accepted, c.accepted) << off;
    }
    const SuggestOutput out = Suggest(run.input, run.options);
    if (c.accepted) {
      EXPECT_NE(out.classes[0].candidates[0].evidence & (kSignalLexicon | kSignalSynonyms), 0u);
      run.options.lexicon = nullptr;
      EXPECT_FALSE(Suggest(run.input, run.options).classes[0].accepted);  // the names alone do not
    }
  }
}

// Two sides agreeing accept a pair whose score alone would not be: the
// item's best target has the item as its best, and the parents agree; an
// item whose best target prefers another item is not accepted from the
// same score.
TEST(SuggestSignals, EachOthersBestIsAcceptedWhereOneSidedIsNot) {
  MatchRun run;
  run.input.source = {Class("Fittings", "F"), Class("Alpha Beta Gamma", "A", "F"),
                      Class("Alpha Beta Delta", "B", "F")};
  run.input.target = {Class("Fitting Family", "FF"),
                      Class("Alpha Beta Gamma Epsilon Zeta", "E", "FF")};
  run.input.class_anchors = {{0, 0}};
  run.input.class_items = {1, 2};
  SuggestOutput out = Suggest(run.input, run.options);
  ASSERT_EQ(out.classes.size(), 2u);
  ASSERT_FALSE(out.classes[0].candidates.empty());
  EXPECT_LT(out.classes[0].candidates[0].score, run.options.weights.acceptance.min_score);
  EXPECT_TRUE(out.classes[0].accepted);
  EXPECT_FALSE(out.classes[1].accepted);
  run.options.weights.acceptance.mutual_min_score = run.options.weights.acceptance.min_score;
  EXPECT_FALSE(Suggest(run.input, run.options).classes[0].accepted);
}

// Without a hierarchy, names about the same thing are the second witness:
// their head words agree ("Mechanical Seal" is a seal). Names whose shared
// word is not the head ("Hotel Room" is a room) are not accepted so.
TEST(SuggestSignals, EachOthersBestWithOneHeadWordIsAccepted) {
  const struct {
    const char* source;
    const char* target;
    bool accepted;
  } cases[] = {
      {"Seal", "Mechanical Seal", true},
      {"Pump, Centrifugal", "Centrifugal Pump, Vertical", true},
      {"Call for Papers", "Paper Call", true},
      {"Valve (Gate)", "Gate Valve Body", false},
      {"Valve (Gate)", "Flanged Gate Valve", true},
      {"Hotel", "Hotel Room", false},
      {"Pump Seal", "Pump Seal Housing", false},
      {"Supply Valve", "Supply Pipe", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    MatchRun run;
    // Another class makes the modifier a common word, as it is in a trade.
    // Keys that are codes of one kind say nothing of what the classes are.
    run.input.source = {Class(c.source, "FMA:7163"), Class("Mechanical Joint", "FMA:1")};
    run.input.target = {Class(c.target, "FMA:7164"), Class("Mechanical Joint", "FMA:2")};
    run.input.class_items = {0};
    SuggestOutput out = Suggest(run.input, run.options);
    ASSERT_FALSE(out.classes[0].candidates.empty());
    EXPECT_LT(out.classes[0].candidates[0].score, run.options.weights.acceptance.min_score);
    EXPECT_EQ(out.classes[0].accepted, c.accepted);
    if (c.accepted) {
      run.options.weights.acceptance.mutual_min_score = run.options.weights.acceptance.min_score;
      EXPECT_FALSE(Suggest(run.input, run.options).classes[0].accepted);
    }
  }
}

}  // namespace
