// Arbitrary bytes as a review's decisions file (suggest --decisions): the
// reader never takes a malformed entry, names every one it refuses by a
// number of the file's list, in order, and reads the entries it takes back
// the same when they are written again as the page writes them; judged
// against a small run, every carried decision becomes its item's accepted
// candidate or its No Mapping. Any failure aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "suggest/name_store.h"
#include "suggestion_run/decided_items.h"
#include "suggestion_run/decisions_file.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "decisions_fuzzer: %s\n", what);
  std::abort();
}

std::string Written(const DecisionsFile& file) {
  nlohmann::json decisions = nlohmann::json::array();
  for (const DecisionEntry& entry : file.entries) decisions.push_back(DecisionEntryJson(entry));
  nlohmann::json written = {{"format", kDecisionsFormat},
                            {"version", 1},
                            {"suggestions", file.suggestions},
                            {"decisions", decisions}};
  return written.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

bool SameEntry(const DecisionEntry& a, const DecisionEntry& b) {
  return a.class_key == b.class_key && a.for_attribute == b.for_attribute &&
         a.attribute_key == b.attribute_key && a.attribute_label == b.attribute_label &&
         a.no_mapping == b.no_mapping && a.target_class == b.target_class &&
         a.target_key == b.target_key;
}

// A run whose names are the words the fuzzer's dictionary holds.
const SuggestWork& SmallRun() {
  static NameStore names;
  static SuggestWork work = [] {
    SuggestWork w;
    auto kept = [](std::string_view text) { return names.Keep(text); };
    w.input.source = {{kept("A"), kept("A"), {}, {}, {{kept("L"), kept("K")}}},
                      {kept("B"), kept("B"), {}, {}, {}}};
    w.input.target = {{kept("T"), kept("T"), {}, {}, {{kept("L"), kept("K")}}},
                      {kept("C"), kept("C"), {}, {}, {}}};
    w.input.class_items = {0};
    w.input.attribute_items = {{0, 0}};
    return w;
  }();
  return work;
}

void CheckJudged(const DecisionsFile& file) {
  const DecidedItems decided = JudgeDecisions(file, SmallRun());
  Require(decided.judged.size() == file.entries.size(), "an entry judged twice or not at all");
  SuggestOutput output;
  output.classes = {{0, {{1, 0.5, kSignalLabel}}, false}};
  output.attributes = {{{0, 0}, {}, false}};
  for (size_t i = 0; i < decided.classes.size(); ++i)
    ApplyClassDecision(decided.classes[i], 5, output.classes[i]);
  for (size_t i = 0; i < decided.attributes.size(); ++i)
    ApplyAttributeDecision(decided.attributes[i], 5, output.attributes[i]);
  for (size_t i = 0; i < decided.classes.size(); ++i) {
    const Decision& d = decided.classes[i];
    const ClassSuggestion& s = output.classes[i];
    if (!d.decided()) continue;
    Require(s.no_mapping == d.no_mapping && s.accepted == !d.no_mapping, "a decision not kept");
    Require(d.no_mapping || (s.candidates.front().target == d.target_class &&
                             (s.candidates.front().evidence & kMarkDecided) != 0),
            "a decided target not first");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const DecisionsFile file = ParseDecisions(bytes);
  size_t previous = 0;
  for (const DecisionsProblem& problem : file.problems) {
    Require(!problem.reason.empty(), "a problem without its reason");
    Require(problem.entry == 0 ? file.problems.size() == 1 : problem.entry > previous,
            "problems out of order, or a whole-file problem among others");
    previous = problem.entry;
  }
  for (size_t i = 1; i < file.entries.size(); ++i)
    Require(file.entries[i].number > file.entries[i - 1].number, "entries out of order");
  for (const DecisionEntry& entry : file.entries) {
    Require(entry.no_mapping == entry.target_key.empty() || !entry.no_mapping,
            "a No Mapping with a target");
    Require(entry.for_attribute || entry.target_class.empty(), "a class's target with a class");
  }
  if (!file.problems.empty()) return 0;
  const DecisionsFile again = ParseDecisions(Written(file));
  Require(again.problems.empty() && again.entries.size() == file.entries.size(),
          "the entries written again read back otherwise");
  for (size_t i = 0; i < file.entries.size(); ++i)
    Require(SameEntry(file.entries[i], again.entries[i]), "an entry reads back otherwise");
  CheckJudged(file);
  return 0;
}
