#include "bench/tree_generator.h"

#include <fstream>
#include <system_error>
#include <tuple>

#include "bench/seeded_random.h"
#include "bench/tree_model.h"

namespace zor_bench {
namespace {

std::string WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) return "cannot write " + path.string();
  return "";
}

}  // namespace

GeneratedTree GenerateTree(const TreeOptions& options) {
  SeededRandom random(options.seed);
  PlanSettings settings{options, 0};
  // Each hostile tree draws how untidy it is, so that a run of seeds covers
  // mildly and badly kept tables alike.
  if (options.shape == TreeShape::kHostile) settings.oddity_rate = random.Between(40, 160);
  DictionaryPlan plan = PlanDictionaries(settings, random);
  TableText table = WriteMappingTable(plan, settings, random);
  GeneratedTree tree;
  tree.source_xml = WriteSourceXml(plan, settings);
  tree.target_xml = WriteTargetXml(plan, settings);
  tree.mapping_csv = std::move(table.text);
  tree.source_classes = static_cast<int>(plan.sources.size());
  tree.target_classes = static_cast<int>(plan.targets.size());
  tree.mapping_rows = table.rows;
  return tree;
}

std::string WriteTree(const GeneratedTree& tree, const std::filesystem::path& root) {
  const std::filesystem::path dictionary = root / "Dictionary";
  for (const char* folder :
       {"V4_Exported_XML", "V5_Exported_XML", "MappingTable", "DDL_Files", "Reports"}) {
    std::error_code error;
    std::filesystem::create_directories(dictionary / folder, error);
    if (error) return "cannot create " + (dictionary / folder).string() + ": " + error.message();
  }
  for (const auto& [folder, name, bytes] :
       {std::tuple{"V4_Exported_XML", kSourceXmlName, &tree.source_xml},
        std::tuple{"V5_Exported_XML", kTargetXmlName, &tree.target_xml},
        std::tuple{"MappingTable", kMappingCsvName, &tree.mapping_csv}}) {
    std::string error = WriteBytes(dictionary / folder / name, *bytes);
    if (!error.empty()) return error;
  }
  return "";
}

const char* ModeName(TreeMode mode) { return mode == TreeMode::kV4ToV5 ? "v4" : "v5"; }

const char* ShapeName(TreeShape shape) {
  return shape == TreeShape::kRealistic ? "realistic" : "hostile";
}

}  // namespace zor_bench
