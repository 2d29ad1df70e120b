// Arbitrary bytes as one suggestion record for the explorer page: the
// page's own JSON reader against the JSON library, then the record into a
// block of suggestions, whose text must stay JSON that cannot end its script
// element. Any failure aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "explore/json_tape.h"
#include "explore/suggestion_block.h"

namespace {

using nlohmann::json;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "suggestion_record_fuzzer: %s\n", what);
  std::abort();
}

// Whether the tape holds what the library read (numbers as doubles, a
// repeated name's last value).
bool Same(JsonTape::Value tape, const json& library) {
  switch (tape.kind()) {
    case JsonTape::Kind::kNull:
      return library.is_null();
    case JsonTape::Kind::kFalse:
      return library == false;
    case JsonTape::Kind::kTrue:
      return library == true;
    case JsonTape::Kind::kString:
      return library.is_string() && library.get_ref<const std::string&>() == tape.Text();
    case JsonTape::Kind::kNumber:
      return library.is_number() && library.get<double>() == tape.Number();
    case JsonTape::Kind::kArray: {
      if (!library.is_array()) return false;
      auto elements = tape.Elements();
      if (elements.size() != library.size()) return false;
      for (size_t i = 0; i < elements.size(); ++i) {
        if (!Same(elements[i], library[i])) return false;
      }
      return true;
    }
    case JsonTape::Kind::kObject: {
      if (!library.is_object()) return false;
      for (std::string_view name : tape.Names()) {
        auto found = library.find(name);
        if (found == library.end() || !Same(tape[name], *found)) return false;
      }
      return true;
    }
  }
  return false;
}

bool AllUtf8(std::string_view text) {
  return json(std::string(text)).dump(-1, ' ', false, json::error_handler_t::replace) ==
         json(std::string(text)).dump(-1, ' ', false, json::error_handler_t::ignore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  JsonTape tape;
  bool read = tape.Read(text);
  json library = json::parse(text, nullptr, false);
  if (text.find('\0') != std::string_view::npos) {
    // The library takes a NUL byte for the end of the text; to the tape it
    // is a byte no JSON text holds.
    Require(!read, "the tape reads a text with a NUL byte");
  } else if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    // The library skips a byte order mark; a record line never starts
    // with one, and the tape refuses it as any other stray byte.
    Require(!read, "the tape reads a text after a byte order mark");
  } else if (!library.is_discarded()) {
    Require(read, "the library reads what the tape refuses");
    Require(Same(tape.Root(), library), "the tape reads another value");
  } else if (read) {
    // The tape leaves bytes that are not UTF-8 to the writer, which
    // replaces them; the library refuses them at once.
    Require(!AllUtf8(text), "the tape reads what the library refuses");
  }

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
  block.AddLine(text);
  std::string written = block.Json();
  Require(json::accept(written), "the block is not JSON");
  Require(written.find('<') == std::string::npos, "the block could end its script element");
  return 0;
}
