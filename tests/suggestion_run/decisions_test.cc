// A review's decisions file read back: every malformed entry named with what
// is wrong, and the good ones judged against a run: carried where the item
// still needs a target and the target is there, otherwise said why not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "suggest/name_store.h"
#include "suggest/suggest_session.h"
#include "suggestion_run/decided_items.h"
#include "suggestion_run/decision_effects.h"
#include "suggestion_run/decisions_file.h"

namespace {

std::string File(const std::string& entries) {
  return R"({"format":"zorvez-review-decisions","version":1,"suggestions":"0123456789abcdef",)"
         R"("decisions":[)" +
         entries + "]}";
}

std::vector<std::string> Problems(const DecisionsFile& file) {
  std::vector<std::string> texts;
  for (const DecisionsProblem& problem : file.problems)
    texts.push_back(DecisionsProblemText("d.json", problem));
  return texts;
}

TEST(DecisionsFile, NamesEveryMalformedEntryAndWhatIsWrong) {
  const DecisionsFile file = ParseDecisions(File(
      R"({"class":"A","target":{"key":"T"}},)"                                      // 1
      R"({"class":123,"target":{"key":"T"}},)"                                      // 2
      R"({"class":"A","no_mapping":"yes"},)"                                        // 3
      R"({"class":"A","target":"Toilet"},)"                                         // 4
      R"(null,)"                                                                    // 5
      R"({"class":"A","target":{"key":"T"},"no_mapping":true},)"                    // 6
      R"({"class":"A"},)"                                                           // 7
      R"({"class":"A","attribute":{"key":"K","label":"L"},"target":{"key":"T"}},)"  // 8
      R"({"class":"A","target":{"class":"C","key":"T"}},)"                          // 9
      R"({"class":"A","attribute":{"key":"K"},"no_mapping":true},)"                 // 10
      R"({"class":"A","colour":"red","no_mapping":true},)"                          // 11
      R"({"class":"A","attribute":{"key":"K","label":"L"},"target":{"class":"C","key":"T"}})"));
  EXPECT_EQ(Problems(file),
            (std::vector<std::string>{
                "d.json: entry 2: class is a number, not a string (a class key)",
                "d.json: entry 3: no_mapping is a string, not true",
                "d.json: entry 4: target is a string, not an object",
                "d.json: entry 5: is null, not an object",
                "d.json: entry 6: has both target and no_mapping: decide one of them",
                "d.json: entry 7: has neither target nor no_mapping",
                "d.json: entry 8: target names no class: an attribute's target is a class and "
                "its attribute key",
                "d.json: entry 9: target names a class and a key, which an attribute's target "
                "does: a class's is its key alone",
                "d.json: entry 10: attribute needs its key and its label",
                "d.json: entry 11: has a member 'colour' no decision has",
            }));
  ASSERT_EQ(file.entries.size(), 2u);
  EXPECT_EQ(file.entries[1].number, 12u);
  EXPECT_EQ(file.entries[1].target_class, "C");
  EXPECT_EQ(file.suggestions, "0123456789abcdef");

  const struct {
    std::string bytes;
    std::string problem;
  } whole[] = {
      {"{\n\"format\": oops}", "d.json: is not JSON (line 2)"},
      {"[]", "d.json: is an array, not a decisions file"},
      {R"({"format":"other","version":1,"decisions":[]})",
       "d.json: is not a decisions file (its format is not \"zorvez-review-decisions\"; the "
       "review page's Save decisions writes one)"},
      {R"({"format":"zorvez-review-decisions","version":2,"decisions":[]})",
       "d.json: is a decisions file of another version, which this zorvez cannot read"},
      {R"({"format":"zorvez-review-decisions","version":1})", "d.json: holds no list of decisions"},
      {"\xEF\xBB\xBF[]", "d.json: is an array, not a decisions file"},  // a mark is passed over
      {R"({"format":"zorvez-review-decisions","version":1,"decisions":[1E66666]})",
       "d.json: holds a number too large to read"},
  };
  for (const auto& c : whole) EXPECT_EQ(Problems(ParseDecisions(c.bytes)), std::vector{c.problem});
}

Name Kept(std::string_view text) {
  static NameStore names;
  return names.Keep(text);
}

SuggestClass Class(std::string_view label, std::string_view key,
                   std::vector<std::pair<std::string_view, std::string_view>> attributes = {}) {
  SuggestClass c{Kept(label), Kept(key), {}, {}, {}};
  for (const auto& [a_label, a_key] : attributes)
    c.attributes.push_back({Kept(a_label), Kept(a_key)});
  return c;
}

TEST(DecidedItems, CarriesWhatTheRunStillAsksAndSaysWhyOfTheRest) {
  SuggestWork work;
  work.input.source = {Class("Pump", "PMP", {{"Speed", "SPD"}, {"Head", "HD"}}),
                       Class("Valve", "VLV")};
  work.input.target = {Class("Centrifugal Pump", "CP", {{"Speed", "Speed"}}),
                       Class("Valve", "Valve")};
  work.input.class_items = {0};           // Valve is mapped by the table
  work.input.attribute_items = {{0, 0}};  // Head is mapped by the table
  const DecisionsFile file = ParseDecisions(
      File(R"({"class":"PMP","target":{"key":"Valve"}},)"                                   // 1
           R"({"class":"VLV","target":{"key":"Valve"}},)"                                   // 2
           R"({"class":"GONE","no_mapping":true},)"                                         // 3
           R"({"class":"PMP","attribute":{"key":"HD","label":"Head"},"no_mapping":true},)"  // 4
           R"({"class":"PMP","attribute":{"key":"X","label":"Gone"},"no_mapping":true},)"   // 5
           R"({"class":"PMP","attribute":{"key":"SPD","label":"Speed"},)"
           R"("target":{"class":"CP","key":"Rate"}},)"  // 6
           R"({"class":"PMP","attribute":{"key":"SPD","label":"Speed"},)"
           R"("target":{"class":"CP","key":"Speed"}},)"     // 7
           R"({"class":"PMP","target":{"key":"CP"}},)"      // 8
           R"({"class":"PMP","target":{"key":"Gone"}})"));  // 9
  ASSERT_TRUE(file.problems.empty());
  const DecidedItems decided = JudgeDecisions(file, work);
  std::vector<std::string> fates;
  for (const JudgedEntry& judged : decided.judged) {
    std::string fate = std::to_string(judged.entry->number);
    fate.append(" ").append(DecisionFateWords(judged.fate));
    if (judged.later != 0) fate.append(" ").append(std::to_string(judged.later));
    fates.push_back(fate);
  }
  EXPECT_EQ(fates, (std::vector<std::string>{
                       "1 decided again by a later entry 8",
                       "2 now mapped by the table",
                       "3 gone from the dictionary to migrate",
                       "4 now mapped by the table",
                       "5 gone from the dictionary to migrate",
                       "6 whose target is gone from the target dictionary",
                       "7 carried",
                       "8 carried",
                       "9 whose target is gone from the target dictionary",
                   }));
  EXPECT_EQ(decided.Carried(), 2u);

  // The decided target comes first and accepted; one the matcher did not
  // rank comes with no score of its own, and the list keeps its length.
  ClassSuggestion pump{0, {{1, 0.8, kSignalLabel}, {0, 0.6, kSignalLabel}}, true};
  ApplyClassDecision(decided.classes[0], 2, pump);
  ASSERT_EQ(pump.candidates.size(), 2u);
  EXPECT_EQ(pump.candidates[0].target, 0u);
  EXPECT_EQ(pump.candidates[0].score, 0.6);
  EXPECT_EQ(pump.candidates[0].evidence, kSignalLabel | kMarkDecided);
  AttributeSuggestion speed{{0, 0}, {{0, 0, 0.4, kSignalLabel}}, false};
  ApplyAttributeDecision(decided.attributes[0], 2, speed);
  EXPECT_TRUE(speed.accepted);
  EXPECT_EQ(speed.candidates[0].evidence, kSignalLabel | kMarkDecided);

  const DecisionsFile none = ParseDecisions(File(R"({"class":"PMP","no_mapping":true})"));
  ApplyClassDecision(JudgeDecisions(none, work).classes[0], 2, pump);
  EXPECT_TRUE(pump.no_mapping);
  EXPECT_FALSE(pump.accepted);
}

// A decided target is taken from every other item that ranks it, however
// well that item reads as it, and given back when the decision is taken
// back.
TEST(DecisionEffects, ADecidedTargetIsTakenFromOtherItems) {
  SuggestInput input;
  input.source = {Class("Pump Housing", "A"), Class("Pump Casing", "B")};
  input.target = {Class("Pump Casing", "T0"), Class("Pump Housing", "T1")};
  input.class_items = {0, 1};
  const SuggestSession session(input, SuggestOptions{});
  DecisionEffects effects(session);
  ASSERT_EQ(effects.ClassView(1).candidates.at(0).target, 0u);
  ASSERT_TRUE(effects.ClassView(1).accepted);
  Decision casing;  // a reviewer sends Pump Housing to Pump Casing
  casing.entry = 0;
  casing.target_class = 0;
  effects.Set({{true, 0, casing}});
  EXPECT_EQ(effects.ClassView(0).candidates.at(0).target, 0u);
  EXPECT_TRUE(effects.ClassView(0).accepted);
  const ClassSuggestion other = effects.ClassView(1);
  const auto taken = std::find_if(other.candidates.begin(), other.candidates.end(),
                                  [](const ClassCandidate& c) { return c.target == 0; });
  ASSERT_NE(taken, other.candidates.end());
  EXPECT_NE(taken->evidence & kSignalAssignment, 0u);
  EXPECT_EQ(taken->taken_by, 0);
  EXPECT_FALSE(other.accepted);
  effects.Set({{true, 0, Decision{}}});  // taken back
  EXPECT_EQ(effects.ClassView(1).candidates.at(0).target, 0u);
  EXPECT_TRUE(effects.ClassView(1).accepted);
}

}  // namespace
