// Synthetic dictionary trees for benchmarks and differential tests: a
// dictionary to migrate, a target dictionary and a mapping table that ties
// them together, with every verdict of a comparison represented.
#ifndef ZOR_BENCH_TREE_GENERATOR_H_
#define ZOR_BENCH_TREE_GENERATOR_H_

#include <cstdint>
#include <filesystem>
#include <string>

namespace zor_bench {

// Which comparison the tree is made for: a V4 dictionary against a V5 one,
// or two V5 dictionaries (runs with -v5).
enum class TreeMode { kV4ToV5, kV5ToV5 };

// realistic: a mix of verdicts with tidy rows. hostile: the same, plus, at a
// rate drawn from the seed, every oddity a hand-kept table and an export can
// hold (conflicting and case-variant rows, "&amp;" forms, empty columns,
// stray "No Mapping", CR LF, blank lines, rows out of place, duplicate
// target classes, UUID mismatches, classes without attributes, ...).
enum class TreeShape { kRealistic, kHostile };

struct TreeOptions {
  int classes = 100;    // source classes
  int attributes = 10;  // attribute definitions per source class
  TreeMode mode = TreeMode::kV4ToV5;
  TreeShape shape = TreeShape::kRealistic;
  std::uint64_t seed = 1;
  // Dictionaries in the older attribute layout (Name/ShortName/Parent/
  // ShortParent/User), with the mapping table written to match, for runs
  // with -old. The V4 source keeps its one layout either way.
  bool old_layout = false;
};

struct GeneratedTree {
  std::string source_xml;
  std::string target_xml;
  std::string mapping_csv;
  int source_classes = 0;
  int target_classes = 0;
  int mapping_rows = 0;
};

// The same options always give the same bytes.
GeneratedTree GenerateTree(const TreeOptions& options);

// Names of the inputs inside the tree, as the tool's -i and -m take them.
inline constexpr char kSourceXmlName[] = "source.xml";
inline constexpr char kTargetXmlName[] = "target.xml";
inline constexpr char kMappingCsvName[] = "mapping.csv";

// Writes root/Dictionary/{V4_Exported_XML/source.xml,
// V5_Exported_XML/target.xml, MappingTable/mapping.csv} and creates the
// empty DDL_Files and Reports folders. Returns an error message, or empty
// text on success.
std::string WriteTree(const GeneratedTree& tree, const std::filesystem::path& root);

const char* ModeName(TreeMode mode);
const char* ShapeName(TreeShape shape);

}  // namespace zor_bench

#endif  // ZOR_BENCH_TREE_GENERATOR_H_
