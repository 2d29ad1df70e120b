#include "explore/json_tape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

// The tape's value as the JSON library would hold it; a repeated name keeps
// its last value, as the library's parser does.
json AsLibraryValue(JsonTape::Value value) {
  switch (value.kind()) {
    case JsonTape::Kind::kNull:
      return nullptr;
    case JsonTape::Kind::kFalse:
      return false;
    case JsonTape::Kind::kTrue:
      return true;
    case JsonTape::Kind::kString:
      return std::string(value.Text());
    case JsonTape::Kind::kNumber:
      return value.Number();
    case JsonTape::Kind::kArray: {
      json array = json::array();
      for (JsonTape::Value element : value.Elements()) array.push_back(AsLibraryValue(element));
      return array;
    }
    case JsonTape::Kind::kObject: {
      json object = json::object();
      std::vector<JsonTape::Value> values = value.Elements();
      std::vector<std::string_view> names = value.Names();
      for (size_t i = 0; i < names.size(); ++i)
        object[std::string(names[i])] = AsLibraryValue(values[i]);
      return object;
    }
  }
  return nullptr;
}

// Numbers compared as doubles: the tape keeps their text, the library may
// hold an integer.
json NumbersAsDoubles(const json& value) {
  if (value.is_number()) return value.get<double>();
  if (!value.is_structured()) return value;
  json copy = value;
  for (auto& element : copy) element = NumbersAsDoubles(element);
  return copy;
}

// Whatever the library reads, the tape reads the same; whatever it refuses
// for its grammar, the tape refuses.
void ExpectReadsAsTheLibrary(const std::string& text) {
  JsonTape tape;
  json expected = json::parse(text, nullptr, false);
  bool read = tape.Read(text);
  EXPECT_EQ(read, !expected.is_discarded()) << text;
  if (read && !expected.is_discarded()) {
    EXPECT_EQ(AsLibraryValue(tape.Root()), NumbersAsDoubles(expected)) << text;
  }
}

// Values of every kind, nested, with blanks about them; escapes, a surrogate
// pair, a name that repeats (the last wins); then texts that are not JSON: a
// stray or missing comma or colon, bad numbers, a control character, a lone
// surrogate, text after the value, nothing at all.
TEST(JsonTape, ReadsWhatTheLibraryReadsAndRefusesWhatItRefuses) {
  const std::vector<std::string> texts = {
      R"({"record":"suggestion","candidates":[{"key":"K","score":0.91,"evidence":["label"]}]})",
      " [1, -2, 0.5, -0.0, 1e3, 2E-2, 1e400, 12345678901234567890, true, false, null] ",
      R"({"a":{},"b":[],"c":[[[]]],"d":{"e":{"f":"g"}}})",
      R"("tab\t quote\" slash\/ back\\ \u00e9 \u20ac \ud83d\ude00 \u0000")",
      R"({"k":1,"k":2})",
      "\"caf\xc3\xa9\"",
      "[1,]",
      "[1 2]",
      R"({"a" 1})",
      R"({"a":1,})",
      "{,}",
      "01",
      "1.",
      "-",
      ".5",
      "1e",
      "+1",
      "\"a\nb\"",
      R"("\ud83d")",
      R"("\ude00")",
      R"("\x")",
      R"("\u12")",
      "[1] x",
      "nul",
      "",
      "   ",
      "[",
      "{\"a\":",
      "\"open"};
  for (const std::string& text : texts) ExpectReadsAsTheLibrary(text);
  // The library ends the text at a NUL byte; the tape refuses a record cut
  // short or padded by one.
  JsonTape tape;
  EXPECT_FALSE(tape.Read(std::string_view("{\"a\":1}\0 x", 11)));
  EXPECT_FALSE(tape.Read(std::string_view("\"a\0b\"", 5)));
}

// Deep nesting costs no stack: a million brackets are read or refused
// without a crash.
TEST(JsonTape, DeepNestingIsReadWithoutRecursion) {
  JsonTape tape;
  const size_t depth = 1000000;
  EXPECT_TRUE(tape.Read(std::string(depth, '[') + std::string(depth, ']')));
  EXPECT_FALSE(tape.Read(std::string(depth, '[')));
}

// Generated records, as the suggest command writes them and then with bytes
// changed: the tape agrees with the library on each.
TEST(JsonTape, AgreesWithTheLibraryOnGeneratedAndDamagedRecords) {
  std::mt19937 random(7);
  const std::string alphabet = "ab \"\\/<>&\xc3\xa9\t\x01{}[],:0.e-";
  auto text = [&]() {
    std::string out;
    for (size_t n = random() % 8; n > 0; --n) out += alphabet[random() % alphabet.size()];
    return out;
  };
  for (int round = 0; round < 300; ++round) {
    json candidates = json::array();
    for (size_t n = random() % 4; n > 0; --n) {
      candidates.push_back({{"key", text()},
                            {"label", text()},
                            {"score", (random() % 1001) / 1000.0},
                            {"evidence", {text(), "taken by another item"}},
                            {"taken_by", {{"row", random() % 100}}}});
    }
    json record = {{"record", "suggestion"},
                   {"for", "class"},
                   {"class", {{"key", text()}}},
                   {"row", random() % 2 ? json(nullptr) : json({{"line", 3}, {"text", text()}})},
                   {"candidates", candidates},
                   {"accepted", nullptr}};
    std::string line = record.dump(-1, ' ', round % 2 == 0, json::error_handler_t::replace);
    ExpectReadsAsTheLibrary(line);
    for (int damage = 0; damage < 3 && !line.empty(); ++damage) {
      line[random() % line.size()] = alphabet[random() % alphabet.size()];
      // The tape leaves bytes that are not UTF-8 to the writer; the library
      // refuses them.
      bool high_bytes = std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; });
      if (high_bytes && !json::accept(line)) continue;
      ExpectReadsAsTheLibrary(line);
    }
  }
}

}  // namespace
