#include "dictionary/mapping_table.h"

#include <string>

#include <gtest/gtest.h>

#include "dictionary/dictionary_queries.h"

namespace {

TEST(SplitRow, EmptyColumnsShiftLaterValuesAndTheLineEndStaysInTheLastField) {
  MappingRow full = SplitRow("Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n", 7, kNoFields);
  EXPECT_EQ(full.sourceClass.str(), "Pump");
  EXPECT_EQ(full.targetParent.str(), "RotatingEquipment");
  EXPECT_EQ(full.domain.str(), "EQT\n");

  MappingRow shifted = SplitRow("Orphan,,*,Target\n", 7, kNoFields);
  EXPECT_EQ(shifted.sourceParent.str(), "*");
  EXPECT_EQ(shifted.sourceAttribute.str(), "Target\n");
  EXPECT_EQ(shifted.targetClass.str(), "");

  // Only the named fields are unescaped; fields past field_count stay empty.
  MappingRow partial = SplitRow("R&amp;D,P&amp;Q,x,y,z\n", 2, FieldBit(1));
  EXPECT_EQ(partial.sourceClass.str(), "R&D");
  EXPECT_EQ(partial.sourceParent.str(), "P&amp;Q");
  EXPECT_EQ(partial.sourceAttribute.str(), "");
}

struct Lookup {
  bool found;
  std::string mapDomain;
  std::string currentLine;
  long position;
};

Lookup FindClassRow(const std::string& table, const char* name, const char* parent) {
  long position = -7;
  ZORUnicodeString current_line("stale");
  ClassRowLookup lookup = findClassRow(ZORUnicodeString(table), position, current_line,
                                       ZORUnicodeString(name), ZORUnicodeString(parent));
  return {lookup.found, lookup.mapDomain.str(), current_line.str(), position};
}

TEST(FindClassRow, FirstClassRowInFileOrderWinsAndPositionIsOnTheNextLine) {
  const std::string before = "Pump,Equipment,Size,T,P,Size,EQT\n";
  const std::string first = "Pump,Equipment,*,First,P,*,EQT\n";
  const std::string table = before + first + "Pump,Equipment,*,Second,P,*,PIP\n\n";
  Lookup lookup = FindClassRow(table, "Pump", "Equipment");
  EXPECT_TRUE(lookup.found);
  EXPECT_EQ(lookup.currentLine, first);
  EXPECT_EQ(lookup.mapDomain, "EQT\n");
  EXPECT_EQ(lookup.position, static_cast<long>(before.size() + first.size()));

  const std::string crlf_row = "Pump,Equipment,*,T,P,*,R&amp;D\r\n";
  Lookup crlf = FindClassRow(crlf_row + "\n", "Pump", "Equipment");
  EXPECT_TRUE(crlf.found);
  EXPECT_EQ(crlf.currentLine, crlf_row);
  EXPECT_EQ(crlf.mapDomain, "R&D\r\n");
  EXPECT_EQ(crlf.position, static_cast<long>(crlf_row.size()));
}

TEST(FindClassRow, NamesAreUnescapedAndCompareExactly) {
  const std::string table = "R&amp;D,Lab&amp;Co,*,T,P,*,D\n\n";
  EXPECT_TRUE(FindClassRow(table, "R&D", "Lab&Co").found);
  EXPECT_FALSE(FindClassRow(table, "R&amp;D", "Lab&amp;Co").found);
  EXPECT_FALSE(FindClassRow(table, "r&d", "Lab&Co").found);
  // An empty parent column shifts the "*" into field 2: never found.
  EXPECT_FALSE(FindClassRow("Orphan,,*,T,P,*,D\n\n", "Orphan", "").found);
}

TEST(FindClassRow, TheStarMustBeTheWholeThirdField) {
  EXPECT_FALSE(FindClassRow("Pump,Equipment,Size*,T,P,*,D\n\n", "Pump", "Equipment").found);
  EXPECT_FALSE(FindClassRow("Pump,Equipment,Size,*,P,*,D\n\n", "Pump", "Equipment").found);
  // A row that ends after the third column keeps its line end in field 3.
  EXPECT_FALSE(FindClassRow("Pump,Equipment,*\n\n", "Pump", "Equipment").found);
}

TEST(FindClassRow, MapDomainIsFieldSevenOrEmpty) {
  Lookup proposed = FindClassRow("Pump,Equipment,*,,,*,\n\n", "Pump", "Equipment");
  EXPECT_TRUE(proposed.found);
  EXPECT_EQ(proposed.mapDomain, "");
  EXPECT_EQ(FindClassRow("Pump,Equipment,*,T,P,*\n\n", "Pump", "Equipment").mapDomain, "");

  // With no accepted row the scan ends on the empty line past the text.
  Lookup missing = FindClassRow("\n", "Pump", "Equipment");
  EXPECT_FALSE(missing.found);
  EXPECT_EQ(missing.currentLine, "");
  EXPECT_EQ(missing.mapDomain, "");
  EXPECT_EQ(missing.position, 2);
}

TEST(CheckParent, AnyRowNamingTheParentInItsFourthColumnCounts) {
  const ZORUnicodeString attribute_row("Pump,Equipment,Size,PumpBase,X,Size,EQT\n\n");
  EXPECT_EQ(CheckParent("PumpBase", attribute_row), 1);
  EXPECT_EQ(CheckParent("pumpbase", attribute_row), 0);
  EXPECT_EQ(CheckParent("PumpBase", ZORUnicodeString("A,B,*,T,PumpBase,*,D\n\n")), 0);
  EXPECT_EQ(CheckParent("PumpBase&Co", ZORUnicodeString("A,B,*,PumpBase&amp;Co,P,*,D\n\n")), 1);
  // The fourth field of a row that ends there keeps its line end.
  EXPECT_EQ(CheckParent("PumpBase", ZORUnicodeString("A,B,*,PumpBase\n\n")), 0);
  EXPECT_EQ(CheckParent("PumpBase", ZORUnicodeString("")), 0);
  EXPECT_EQ(CheckParent("PumpBase", ZORUnicodeString("\n")), 0);
  EXPECT_TRUE(rowNamesTargetClass("Later", ZORUnicodeString("A,B,*,T,P,*,D\nA,B,x,Later,P,x,D\n\n")));
}

}  // namespace
