// Arbitrary bytes as one saved suggestion record for the explorer page: read
// back as the page tool reads it (bench/suggestion_record_reader.h), then
// into a block of suggestions, whose text must stay JSON that cannot end its
// script element, whatever the record's names. Any failure aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "bench/suggestion_record_reader.h"
#include "explore/suggestion_block.h"

namespace {

using nlohmann::json;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "suggestion_record_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const json record = json::parse(text, nullptr, false);
  if (record.is_discarded()) return 0;
  // A target whose attributes candidates may name by place, one of them
  // twice, and a class whose parent is itself.
  static const auto names = std::make_shared<NameStore>();
  auto kept = [](std::string_view name) { return names->Keep(name); };
  std::vector<SuggestClass> target = {
      {kept("A"), kept("A"), {}, {}, {{kept("Size"), kept("Size")}, {kept("a b"), kept("ab")}}},
      {kept("B"),
       kept("B"),
       kept("A"),
       kept("A"),
       {{kept("Size"), kept("Size")}, {kept("x"), kept("y")}}},
      {kept("L"), kept("L"), kept("L"), kept("L"), {}},
  };
  SuggestionBlock block;
  block.SetTarget(names, std::move(target));
  if (const std::optional<SuggestionRecord> read = ReadSuggestionRecord(record)) block.Add(*read);
  std::string written = block.Json();
  Require(json::accept(written), "the block is not JSON");
  Require(written.find('<') == std::string::npos, "the block could end its script element");
  return 0;
}
