#include "suggestion_run/row_rules.h"

#include <gtest/gtest.h>

namespace {

// A row's values as the table spells them: "&" as "&amp;" unless it begins
// an entity the table reads back, in any letter case; "*" as it is.
TEST(MappingRowText, SpellsValuesAsTheTableDoes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""},
      {"Pump", "Pump"},
      {"R&D", "R&amp;D"},
      {"a&amp;b", "a&amp;b"},
      {"a&AMP;b", "a&AMP;b"},
      {"x&nbsp;y", "x&nbsp;y"},
      {"&&", "&amp;&amp;"},
      {"&amp", "&amp;amp"},
      {"Zoë & Co", "Zoë &amp; Co"},
  };
  for (const auto& [value, spelled] : cases) EXPECT_EQ(SpelledValue(value), spelled) << value;
  EXPECT_EQ(RowText({"S&T", "P", "*", "No Mapping", "", "*"}), "S&amp;T,P,*,No Mapping,,*,");
  EXPECT_EQ(DomainColumn(""), "");
  EXPECT_EQ(DomainColumn("E&Q"), "E&amp;Q,");
}

// A class row's domain: its target parent's in the table, else its source
// parent's, else the target dictionary's; the two steps apart give the same.
TEST(MappingRowText, ClassRowDomainTakesTargetParentThenSourceParentThenFallback) {
  RowDomains domains;
  domains.by_target_parent = {{"Valve", "EQT"}, {"", "NOM"}};
  domains.by_source_parent = {{"Pipe Fitting", "PIP"}, {"Valve", "SRC"}};
  const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
      {"Valve", "Pipe Fitting", "EQT"}, {"Other", "Pipe Fitting", "PIP"},
      {"Other", "Equipment", "GEN"},    {"", "Pipe Fitting", "NOM"},
      {"Pipe Fitting", "Valve", "SRC"},
  };
  for (const auto& [target_parent, source_parent, domain] : cases) {
    EXPECT_EQ(ClassRowDomain(domains, "GEN", target_parent, source_parent), domain);
    EXPECT_EQ(TargetParentDomain(domains, target_parent)
                  .value_or(SourceParentDomain(domains, "GEN", source_parent)),
              domain);
  }
}

TEST(MappingRowText, FindsTheFirstValueNoRowCanHold) {
  const std::pair<std::vector<std::string_view>, size_t> cases[] = {
      {{}, kAllWritable}, {{"a", "b"}, kAllWritable}, {{"a", ""}, 1},
      {{"a,b", ""}, 0},   {{"a", "b\nc"}, 1},         {{"a&b", "x;y", "\t"}, kAllWritable},
  };
  for (const auto& [values, at] : cases) EXPECT_EQ(FirstUnwritable(values), at);
}

// The lookup of an attribute row naming a class takes the first class under
// the class's parent, in the target's order.
TEST(MappingRowText, FirstClassUnderEachParent) {
  const std::vector<std::string_view> parents = {"", "Root", "V", "V", "Root", "", "V"};
  const auto first = FirstClassUnderEachParent(parents);
  EXPECT_EQ(first.size(), 3u);
  EXPECT_EQ(first.at(""), 0u);
  EXPECT_EQ(first.at("Root"), 1u);
  EXPECT_EQ(first.at("V"), 2u);
}

}  // namespace
