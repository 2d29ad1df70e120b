// What the generator decides before it writes anything: the classes of
// both dictionaries, what becomes of each class and attribute, and the
// settings every planning step reads.
#ifndef ZOR_BENCH_TREE_MODEL_H_
#define ZOR_BENCH_TREE_MODEL_H_

#include <string>
#include <vector>

#include "bench/seeded_random.h"
#include "bench/tree_generator.h"

namespace zor_bench {

// The verdict a source class is planned to get.
enum class ClassFate {
  kNotInTable,         // no class row: red, proposed rows
  kBadlyMapped,        // class row names no target class: red, then blue
  kBlueNoDomain,       // names a class the target lacks, no domain column
  kBlueKnownParent,    // ... whose parent the table names: DDL proposal
  kBlueUnknownParent,  // ... whose parent nothing names: purple reason
  kUnmapped,           // "No Mapping": orange, retained attributes, children
  kMapped,             // green, attributes compared
};

// What the table says about one attribute. For an unmapped class kUnmapped
// means "not carried over", kBadlyMapped "no target named" and kValid
// "retained".
enum class AttributeFate {
  kValid,            // row maps it into the class's target, which has it
  kMissingInTarget,  // row maps it into the target class, which lacks it
  kBadlyMapped,      // row names no target attribute
  kUnmapped,         // row says "No Mapping"
  kNotInTable,       // no row at all
  kIntoOtherClass,   // row maps it into another target class
};

struct SourceAttribute {
  std::string label;
  std::string key;
  std::string type;
  std::string value;
  std::string target_label;  // the V5 attribute it becomes
  std::string target_key;
  AttributeFate fate = AttributeFate::kValid;
};

struct SourceClass {
  std::string label;
  std::string key;
  int parent = -1;  // index of the parent source class; -1 for a root
  std::string parent_label;
  std::string parent_key;
  std::string uuid;
  std::string domain;
  std::string creator;
  ClassFate fate = ClassFate::kMapped;
  bool lists_no_attributes = false;  // an unmapped class whose rows stop at the class row
  std::vector<SourceAttribute> attributes;
  int target = -1;  // index into DictionaryPlan::targets, -1 when absent
};

struct TargetAttribute {
  std::string label;
  std::string key;
  std::string type;
};

struct TargetClass {
  std::string label;
  std::string key;
  std::string parent_label;
  std::string parent_key;
  std::string creator;
  std::string uuid;
  std::string domain;
  std::vector<TargetAttribute> attributes;
};

struct DictionaryPlan {
  std::vector<SourceClass> sources;  // in document order
  std::vector<TargetClass> targets;  // in planning order
  std::vector<int> target_order;     // document order, as indexes into targets
};

struct PlanSettings {
  TreeOptions options;
  int oddity_rate = 0;  // per mille; 0 in the realistic shape

  bool v4() const { return options.mode == TreeMode::kV4ToV5; }
  bool old_layout() const { return options.old_layout; }
};

// True at the tree's oddity rate (divided by `rarity`), never in the
// realistic shape.
inline bool Oddity(SeededRandom& random, const PlanSettings& settings, int rarity = 1) {
  return settings.oddity_rate > 0 && random.PerMille(settings.oddity_rate / rarity);
}

DictionaryPlan PlanDictionaries(const PlanSettings& settings, SeededRandom& random);

// The mapping table's text and its number of rows.
struct TableText {
  std::string text;
  int rows = 0;
};
TableText WriteMappingTable(const DictionaryPlan& plan, const PlanSettings& settings,
                            SeededRandom& random);

std::string WriteSourceXml(const DictionaryPlan& plan, const PlanSettings& settings);
std::string WriteTargetXml(const DictionaryPlan& plan, const PlanSettings& settings);

// Name helpers shared by the planning steps.
std::string WithoutBlanks(const std::string& text);
std::string Uppercase(std::string text);
std::string Lowercase(std::string text);

}  // namespace zor_bench

#endif  // ZOR_BENCH_TREE_MODEL_H_
