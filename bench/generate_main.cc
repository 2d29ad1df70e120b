// zor_generate: writes one synthetic dictionary tree.
//   zor_generate --classes N --attributes K --mode v4|v5 --seed S --out DIR
//                [--shape realistic|hostile] [--old]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "bench/tree_generator.h"

namespace {

constexpr char kUsage[] =
    "usage: zor_generate --classes N --attributes K --mode v4|v5 --seed S --out DIR\n"
    "                    [--shape realistic|hostile] [--old]\n"
    "Writes DIR/Dictionary/{V4_Exported_XML/source.xml, V5_Exported_XML/target.xml,\n"
    "MappingTable/mapping.csv} and the empty DDL_Files and Reports folders.\n"
    "--old writes the dictionaries in the older attribute layout, for runs with -old.\n";

struct Arguments {
  zor_bench::TreeOptions options;
  std::string out;
  bool classes_given = false, attributes_given = false, mode_given = false, seed_given = false;
};

bool ParseCount(const char* text, long long low, long long high, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= low && value <= high;
}

// Reads the option at argv[i] and its value; false on any mistake.
bool ParseOption(int argc, char** argv, int& i, Arguments& args) {
  std::string_view option = argv[i];
  if (option == "--old") {
    args.options.old_layout = true;
    return true;
  }
  if (i + 1 >= argc) return false;
  const char* value = argv[++i];
  std::string_view text = value;
  long long number = 0;
  if (option == "--classes" && ParseCount(value, 0, 10'000'000, number)) {
    args.options.classes = static_cast<int>(number);
    return args.classes_given = true;
  }
  if (option == "--attributes" && ParseCount(value, 0, 400, number)) {
    args.options.attributes = static_cast<int>(number);
    return args.attributes_given = true;
  }
  if (option == "--seed") {
    char* end = nullptr;
    args.options.seed = std::strtoull(value, &end, 10);
    return args.seed_given = (end != value && *end == '\0');
  }
  if (option == "--mode" && (text == "v4" || text == "v5")) {
    args.options.mode = text == "v4" ? zor_bench::TreeMode::kV4ToV5 : zor_bench::TreeMode::kV5ToV5;
    return args.mode_given = true;
  }
  if (option == "--shape" && (text == "realistic" || text == "hostile")) {
    args.options.shape =
        text == "realistic" ? zor_bench::TreeShape::kRealistic : zor_bench::TreeShape::kHostile;
    return true;
  }
  if (option == "--out" && !text.empty()) {
    args.out = value;
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    if (!ParseOption(argc, argv, i, args)) {
      std::fprintf(stderr, "zor_generate: bad or incomplete option %s\n%s", option, kUsage);
      return 2;
    }
  }
  if (!args.classes_given || !args.attributes_given || !args.mode_given || !args.seed_given ||
      args.out.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  zor_bench::GeneratedTree tree = zor_bench::GenerateTree(args.options);
  std::string error = zor_bench::WriteTree(tree, args.out);
  if (!error.empty()) {
    std::fprintf(stderr, "zor_generate: %s\n", error.c_str());
    return 1;
  }
  std::printf(
      "%s tree (%s, seed %llu): %d source classes, %d target classes, %d table rows in %s\n",
      zor_bench::ModeName(args.options.mode), zor_bench::ShapeName(args.options.shape),
      static_cast<unsigned long long>(args.options.seed), tree.source_classes, tree.target_classes,
      tree.mapping_rows, args.out.c_str());
  return 0;
}
