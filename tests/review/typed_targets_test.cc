// Targets typed by a reviewer, found in the whole target dictionary letter
// case aside: the key first, then the one label; an attribute in the class
// or its nearest ancestor that has it; and the completions, those that begin
// with the text first.
#include "review/typed_targets.h"

#include <gtest/gtest.h>

namespace {

SuggestInput Target() {
  SuggestInput input;
  NameStore& names = *input.names;
  auto add = [&](const char* label, const char* key, const char* parent,
                 std::vector<std::pair<const char*, const char*>> attributes) {
    SuggestClass c{names.Keep(label), names.Keep(key), names.Keep(""), names.Keep(parent), {}};
    for (auto [l, k] : attributes) c.attributes.push_back({names.Keep(l), names.Keep(k)});
    input.target.push_back(std::move(c));
  };
  add("Equipment", "Equipment", "", {{"Tag", "Tag"}, {"Speed Limit", "SpeedLimit"}});
  add("Rotating Equipment", "RotatingEquipment", "Equipment", {{"Speed", "Speed"}});
  add("Centrifugal Pump", "CentrifugalPump", "RotatingEquipment",
      {{"Flow Rate", "FlowRate"}, {"Tag", "PumpTag"}});
  add("Cafeteria Room", "CafeteriaRoom", "Equipment", {});
  add("Pump", "PumpA", "Equipment", {});
  add("Pump", "PumpB", "Equipment", {});
  add("Second of a key", "CentrifugalPump", "Equipment", {});
  return input;
}

TEST(TypedTargets, FindsClassesAndAttributesOfTheWholeDictionary) {
  const SuggestInput input = Target();
  const TypedTargets targets(input);
  std::string problem;
  EXPECT_EQ(targets.FindClass("cafeteriaroom", problem), 3u);
  EXPECT_EQ(targets.FindClass("Cafeteria Room", problem), 3u);
  EXPECT_EQ(targets.FindClass("CENTRIFUGALPUMP", problem), 2u) << "a row names the first of a key";
  EXPECT_FALSE(targets.FindClass("pump", problem));
  EXPECT_EQ(problem, "pump names several: type a key");
  EXPECT_FALSE(targets.FindClass("Toilet", problem));
  EXPECT_EQ(problem, "Toilet is not a class of the target dictionary");

  const auto speed = targets.FindAttribute(2, "speed", problem);
  ASSERT_TRUE(speed);
  EXPECT_EQ(speed->holder, 1u) << "found in an ancestor";
  const auto tag = targets.FindAttribute(2, "tag", problem);
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->holder, 0u) << "a key before a label, however near";
  const auto pump_tag = targets.FindAttribute(2, "PUMPTAG", problem);
  ASSERT_TRUE(pump_tag);
  EXPECT_EQ(pump_tag->holder, 2u);
  EXPECT_FALSE(targets.FindAttribute(3, "Flow Rate", problem));
  EXPECT_EQ(
      problem,
      "Flow Rate is not an attribute of CafeteriaRoom or its ancestors in the target dictionary");

  std::vector<std::string> keys;
  for (const Completion& c : targets.CompleteAttribute(2, "sp", 8))
    keys.push_back(c.key + "@" + c.holder);
  EXPECT_EQ(keys, (std::vector<std::string>{"Speed@RotatingEquipment", "SpeedLimit@Equipment"}));
  keys.clear();
  for (const Completion& c : targets.CompleteClass("pump", 8)) keys.push_back(c.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"PumpA", "PumpB", "CentrifugalPump"}));
  EXPECT_TRUE(targets.CompleteClass("", 8).empty());
}

}  // namespace
