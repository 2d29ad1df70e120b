// The facts a page takes a review from another page with: the items the
// table maps, by class key and attribute hash, and the carried decisions
// as a decisions file writes them.
#include "explore/review_carry.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "suggest/name_store.h"

namespace {

Name Kept(std::string_view text) {
  static NameStore names;
  return names.Keep(text);
}

SuggestClass Class(std::string_view key,
                   std::vector<std::pair<std::string_view, std::string_view>> attributes = {}) {
  SuggestClass c{Kept(key), Kept(key), {}, {}, {}};
  for (const auto& [label, a_key] : attributes) c.attributes.push_back({Kept(label), Kept(a_key)});
  return c;
}

TEST(ReviewCarry, SaysWhatTheTableMapsAndWhatCarried) {
  // The page hashes as FNV-1a does: the empty name's hash is the line end's.
  EXPECT_EQ(AttributeNameHash("", ""), 0x0f0c6cddu);
  EXPECT_NE(AttributeNameHash("A", "B"), AttributeNameHash("B", "A"));

  SuggestWork work;
  work.input.source = {Class("PMP", {{"Speed", "SPD"}, {"Head", "HD"}}), Class("VLV"),
                       Class("STR", {{"Mesh", "MSH"}}), Class("PMP", {{"Other", "OT"}})};
  work.input.class_items = {0};
  work.input.attribute_items = {{0, 0}, {2, 0}};
  const nlohmann::json mapped = nlohmann::json::parse(MappedItemsJson(work));
  // Pump is an item with Head mapped; Valve is mapped whole; Strainer's
  // only attribute is an item, so it is said nowhere; the second PMP is
  // not the one its key names.
  EXPECT_EQ(mapped,
            nlohmann::json::parse(R"({"PMP":[)" + std::to_string(AttributeNameHash("HD", "Head")) +
                                  R"(],"VLV":[]})"));

  DecisionsFile file;
  file.entries = {{1, "PMP", false, "", "", false, "", "CP"},
                  {2, "PMP", true, "SPD", "Speed", false, "CP", "Rate"},
                  {3, "STR", true, "MSH", "Mesh", true, "", ""},
                  {4, "GONE", false, "", "", true, "", ""}};
  DecidedItems decided;
  for (const DecisionEntry& entry : file.entries)
    decided.judged.push_back(
        {&entry, entry.number == 4 ? DecisionFate::kItemGone : DecisionFate::kCarried, 0});
  EXPECT_EQ(nlohmann::json::parse(CarriedDecisionsJson(decided)), nlohmann::json::parse(R"([
    {"class":"PMP","target":{"key":"CP"}},
    {"class":"PMP","attribute":{"key":"SPD","label":"Speed"},"target":{"class":"CP","key":"Rate"}},
    {"class":"STR","attribute":{"key":"MSH","label":"Mesh"},"no_mapping":true}])"));
}

}  // namespace
