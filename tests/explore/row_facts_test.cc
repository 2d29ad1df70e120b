#include "explore/row_facts.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

json Parsed(const std::string& facts) {
  return facts.empty() ? json::object() : json::parse(facts);
}

RowDomains Domains() {
  RowDomains domains;
  domains.by_target_parent = {{"Valve", "EQT"}, {"", "NOM"}, {"R&D", ""}};
  domains.by_source_parent = {{"Pipe Fitting", "PIP"}};
  return domains;
}

// The page joins a class row as head, "*,", the target's names, "*,", then
// the target's domain column or else the class's: on names of every kind
// (spelled, entity, comma, empty) that is the row plan's own row, and where
// a name cannot be held the note says which, the class's names first.
TEST(RowFacts, JoinedPiecesAreTheRowPlansClassRow) {
  const std::vector<std::string_view> names = {"Pump", "R&D", "a&amp;b", "x,y", "", "Valve"};
  const RowDomains domains = Domains();
  for (std::string_view name : names) {
    for (std::string_view parent : names) {
      const json source = Parsed(SourceClassFacts({name, parent, true}, domains, "GEN"));
      const std::string head =
          source.value("h", std::string(name) + "," + std::string(parent) + ",");
      for (std::string_view target_name : names) {
        const std::string_view target_parent =
            names[(target_name.size() + parent.size()) % names.size()];
        const json target =
            Parsed(TargetClassFacts({"K", "PK", target_name, target_parent, false, "K"}, domains));
        const size_t bad = FirstUnwritable({name, parent, target_name, target_parent});
        const std::string note = source.contains("n") ? source["n"].get<std::string>()
                                                      : target.value("n", std::string());
        if (bad != kAllWritable) {
          const std::string_view values[] = {name, parent, target_name, target_parent};
          EXPECT_EQ(note, UnwritableNote(values[bad]));
          continue;
        }
        EXPECT_EQ(note, "");
        const std::string joined = head + "*," + target.value("t", std::string("K,PK,")) + "*," +
                                   target.value("d", source["d"].get<std::string>());
        EXPECT_EQ(joined, RowText({name, parent, "*", target_name, target_parent, "*"}) +
                              DomainColumn(ClassRowDomain(domains, "GEN", target_parent, parent)))
            << name << "|" << parent << "|" << target_name << "|" << target_parent;
      }
    }
  }
}

// No Mapping's class row, an attribute's spelling, a key's, and what keeps
// an attribute row from naming a target class.
TEST(RowFacts, NoMappingAttributesKeysAndReach) {
  const RowDomains domains = Domains();
  EXPECT_EQ(Parsed(SourceClassFacts({"Sump", "Equipment", true}, domains, "GEN")),
            json::parse(R"({"d":"GEN,","m":"Sump,Equipment,*,No Mapping,,*,NOM,"})"));
  EXPECT_EQ(Parsed(SourceClassFacts({"Sump", "Equipment", false}, domains, "GEN")), json::object());
  EXPECT_EQ(Parsed(SourceClassFacts({"S&T", "", true}, domains, "GEN")),
            json::parse(R"({"h":"S&amp;T,,","n":")" + UnwritableNote("") + R"(","d":"GEN,"})"));
  EXPECT_EQ(Parsed(AttributeFacts("Mesh Size")), json::object());
  EXPECT_EQ(Parsed(AttributeFacts("A&B")), json::parse(R"({"l":"A&amp;B"})"));
  EXPECT_EQ(Parsed(AttributeFacts("a,b"))["n"], UnwritableNote("a,b"));
  EXPECT_EQ(SpelledKey("A&B"), "A&amp;B");
  EXPECT_EQ(SpelledKey("AB"), "");
  EXPECT_EQ(KeyNote("AB"), "");
  EXPECT_EQ(KeyNote(""), UnwritableNote(""));

  const std::pair<TargetClassRow, json> targets[] = {
      {{"Y", "Valve", "Y", "Valve", false, "Y"}, json::parse(R"({"d":"EQT,"})")},
      {{"Y", "Valve", "Y", "Valve", false, "Gate"},
       json::parse(R"({"d":"EQT,","r":"Y.\u0001 is out of any row's reach: a row naming Y is )"
                   R"(looked up in Gate, the first class under Valve; map it by hand, or give )"
                   R"(\u0001 the attribute in the target"})")},
      {{"R&D", "E", "R&D", "E", true, "R&D"},
       json::parse(R"({"t":"R&amp;D,E,","w":"the target has two classes of key R&D and no row can )"
                   R"(tell them apart: give one of them another key in the target"})")},
      {{"K", "R&D", "Name", "R&D", false, "K"}, json::parse(R"({"t":"Name,R&amp;D,","d":""})")},
  };
  for (const auto& [row, facts] : targets) EXPECT_EQ(Parsed(TargetClassFacts(row, domains)), facts);
}

}  // namespace
