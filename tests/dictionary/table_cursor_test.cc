// The position both table cursors carry from one lookup to the next: the
// class-row lookup stands after the class row, reads go on from there, the
// lookups that scan the whole table leave it alone, and a cursor returned to
// a place reads the same rows again.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/indexed_cursor.h"
#include "dictionary/scanning_cursor.h"

namespace {

// The rows read from the cursor's position until past the end.
std::vector<std::string> RowsToTheEnd(TableCursor& cursor) {
  std::vector<std::string> rows;
  while (!cursor.PastEnd()) rows.emplace_back(cursor.ReadRow().text);
  return rows;
}

std::vector<std::unique_ptr<TableCursor>> BothCursors(const ZORUnicodeString& text) {
  std::vector<std::unique_ptr<TableCursor>> cursors;
  cursors.push_back(std::make_unique<ScanningCursor>(text));
  cursors.push_back(std::make_unique<IndexedCursor>(text));
  return cursors;
}

TEST(TableCursor, TheClassRowLookupLeavesThePositionWhereTheClassRowsFollow) {
  const ZORUnicodeString text(
      "Valve,Equipment,*,Valve,Equipment,*,EQT\n"
      "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n"
      "Pump,Equipment,Flow,CentrifugalPump,RotatingEquipment,FlowRate,EQT\n"
      "Impeller,Pump,*,Impeller,Rotor,*,EQT\n"
      "\n");
  for (const std::unique_ptr<TableCursor>& cursor : BothCursors(text)) {
    ClassRowLookup pump =
        cursor->FindClassRow(ZORUnicodeString("Pump"), ZORUnicodeString("Equipment"));
    ASSERT_TRUE(pump.found);
    EXPECT_EQ(pump.row, "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n");
    EXPECT_EQ(cursor->LineNumberAt(pump.row_start), 2);
    const long after_class_row = cursor->Position();
    EXPECT_EQ(after_class_row, pump.row_start + static_cast<long>(pump.row.size()));

    // Whole-table lookups keep their own position.
    std::vector<std::string> children;
    cursor->ForEachChildClassRow("Pump", [&](std::string_view child, long start) {
      children.push_back(std::string(child) + "@" + std::to_string(cursor->LineNumberAt(start)));
    });
    EXPECT_EQ(children, std::vector<std::string>{"Impeller@4"});
    EXPECT_TRUE(cursor->NamesTargetClass(ZORUnicodeString("Impeller")));
    EXPECT_FALSE(cursor->NamesTargetClass(ZORUnicodeString("Rotor")));
    EXPECT_EQ(cursor->Position(), after_class_row);

    // The rows after the class row, up to the empty line at the end, and the
    // same again from the same place.
    const std::vector<std::string> following = {
        "Pump,Equipment,Flow,CentrifugalPump,RotatingEquipment,FlowRate,EQT\n",
        "Impeller,Pump,*,Impeller,Rotor,*,EQT\n", "\n", ""};
    EXPECT_EQ(RowsToTheEnd(*cursor), following);
    cursor->MoveTo(after_class_row);
    EXPECT_EQ(RowsToTheEnd(*cursor), following);

    // Without a class row the lookup has read the whole table.
    ClassRowLookup missing = cursor->FindClassRow(ZORUnicodeString("Pump"), ZORUnicodeString(""));
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.row, "");
    EXPECT_TRUE(cursor->PastEnd());
  }
}

}  // namespace
