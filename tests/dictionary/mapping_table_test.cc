#include "dictionary/mapping_table.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionary/dictionary_queries.h"

namespace {

TEST(SplitRow, EmptyColumnsShiftLaterValuesAndTheLineEndStaysInTheLastField) {
  MappingRow full = SplitRow("Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n",
                             MappingColumn::kDomain, kNoFields);
  EXPECT_EQ(full.source_class.str(), "Pump");
  EXPECT_EQ(full.target_parent.str(), "RotatingEquipment");
  EXPECT_EQ(full.domain.str(), "EQT\n");

  MappingRow shifted = SplitRow("Orphan,,*,Target\n", MappingColumn::kDomain, kNoFields);
  EXPECT_EQ(shifted.source_parent.str(), "*");
  EXPECT_EQ(shifted.source_attribute.str(), "Target\n");
  EXPECT_EQ(shifted.target_class.str(), "");

  // Only the named fields are unescaped; fields past the last one asked for stay empty.
  MappingRow partial = SplitRow("R&amp;D,P&amp;Q,x,y,z\n", MappingColumn::kSourceParent,
                                FieldBit(MappingColumn::kSourceClass));
  EXPECT_EQ(partial.source_class.str(), "R&D");
  EXPECT_EQ(partial.source_parent.str(), "P&amp;Q");
  EXPECT_EQ(partial.source_attribute.str(), "");
}

// The first class row in file order wins and the position is left on the
// line after it; with no accepted row the scan reads the empty line at the
// end of the text and stops past it. Names are unescaped and compare exactly.
TEST(FindClassRow, FindsTheFirstRowWhoseThirdFieldIsTheStar) {
  const std::string first = "Pump,Equipment,*,First,P,*,EQT\n";
  const std::string crlf = "Pump,Equipment,*,T,P,*,R&amp;D\r\n";
  const std::string escaped = "R&amp;D,Lab&amp;Co,*,T,P,*,D\n";
  const struct {
    std::string table;
    const char *name = "Pump", *parent = "Equipment";
    std::string line = "", domain = "";  // the line found, empty when none is
  } rows[] = {
      {"Pump,Equipment,Size,T,P,Size,EQT\n" + first + "Pump,Equipment,*,Second,P,*,PIP\n\n", "Pump",
       "Equipment", first, "EQT\n"},
      {crlf + "\n", "Pump", "Equipment", crlf, "R&D\r\n"},
      {escaped + "\n", "R&D", "Lab&Co", escaped, "D\n"},
      {"Pump,Equipment,*,,,*,\n\n", "Pump", "Equipment", "Pump,Equipment,*,,,*,\n"},
      {"Pump,Equipment,*,T,P,*\n\n", "Pump", "Equipment", "Pump,Equipment,*,T,P,*\n"},
      {escaped + "\n", "R&amp;D", "Lab&amp;Co"},
      {escaped + "\n", "r&d", "Lab&Co"},
      // An empty parent column shifts the "*" into field 2: never found.
      {"Orphan,,*,T,P,*,D\n\n", "Orphan", ""},
      {"Pump,Equipment,Size*,T,P,*,D\n\n"},
      {"Pump,Equipment,Size,*,P,*,D\n\n"},
      // A row that ends after the third column keeps its line end in field 3.
      {"Pump,Equipment,*\n\n"},
      {"\n"},
  };
  for (const auto& row : rows) {
    long position = -7;
    const ZORUnicodeString table(row.table);
    ClassRowLookup lookup =
        FindClassRow(table, position, ZORUnicodeString(row.name), ZORUnicodeString(row.parent));
    const bool found = !row.line.empty();
    EXPECT_EQ(lookup.found, found) << row.table;
    EXPECT_EQ(lookup.row, row.line) << row.table;
    EXPECT_EQ(lookup.map_domain.str(), row.domain) << row.table;
    const size_t start = found ? row.table.find(row.line) : row.table.size();
    EXPECT_EQ(lookup.row_start, static_cast<long>(start)) << row.table;
    const size_t after = found ? start + row.line.size() : row.table.size() + 1;
    EXPECT_EQ(position, static_cast<long>(after)) << row.table;
  }
}

TEST(CheckParent, AnyRowNamingTheParentInItsFourthColumnCounts) {
  const std::pair<const char*, std::string> rows[] = {
      {"PumpBase", "Pump,Equipment,Size,PumpBase,X,Size,EQT\n\n"},
      {"PumpBase&Co", "A,B,*,PumpBase&amp;Co,P,*,D\n\n"},
  };
  for (const auto& [parent, table] : rows)
    EXPECT_TRUE(CheckParent(parent, ZORUnicodeString(table))) << table;
  const std::pair<const char*, std::string> misses[] = {
      {"pumpbase", "Pump,Equipment,Size,PumpBase,X,Size,EQT\n\n"},
      {"PumpBase", "A,B,*,T,PumpBase,*,D\n\n"},
      // The fourth field of a row that ends there keeps its line end.
      {"PumpBase", "A,B,*,PumpBase\n\n"},
      {"PumpBase", ""},
      {"PumpBase", "\n"},
  };
  for (const auto& [parent, table] : misses)
    EXPECT_FALSE(CheckParent(parent, ZORUnicodeString(table))) << table;
  EXPECT_TRUE(
      RowNamesTargetClass("Later", ZORUnicodeString("A,B,*,T,P,*,D\nA,B,x,Later,P,x,D\n\n")));
}

}  // namespace
