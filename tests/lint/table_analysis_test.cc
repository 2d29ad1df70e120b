// The hazards of small tables, one case each, and the repairs: a repaired
// table holds none of the hazards repaired, and repairing it again changes
// nothing.
#include "lint/table_analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/test_support.h"
#include "lint/table_fix.h"

namespace {

std::vector<std::string> Codes(const TableAnalysis& analysis) {
  std::vector<std::string> codes;
  for (const Hazard& hazard : analysis.Found()) {
    codes.push_back(std::to_string(hazard.line) + ":" + std::to_string(hazard.column) + " " +
                    HazardCodeName(hazard.code));
  }
  return codes;
}

struct TableCase {
  const char* name;
  std::string table;
  std::vector<std::string> codes;  // LINE:COLUMN code
  std::string repaired;            // the table after --fix; empty: unchanged
};

const std::string kPump = "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n";
const std::string kFlow =
    "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n";
const std::string kValve = "Valve,Equipment,*,Valve,Equipment,*,EQT,\n";

const std::vector<TableCase>& Cases() {
  static const std::vector<TableCase> cases = {
      {"clean", kPump + kFlow + kValve, {}, ""},
      {"byte-order mark", "\xEF\xBB\xBF" + kPump, {"1:1 bom"}, kPump},
      {"UTF-16 LE", zor_test::Utf16(kPump), {"1:1 utf16"}, kPump},
      {"UTF-16 BE", zor_test::Utf16(kPump, false), {"1:1 utf16"}, kPump},
      {"windows-1252", "Pump,Equipment,*,Pumpe \xE9,R,*,EQT,\n", {"1:24 not_utf8"}, ""},
      {"NUL byte", std::string("Pump,Equip\0ment,*,C,R,*,EQT,\n", 29) + kValve, {"1:11 nul"}, ""},
      {"domain ends the line",
       "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n",
       {"1:54 domain_without_comma"},
       kPump},
      {"no domain, no comma", "Orifice,Instrument,*,OrificePlate,FlowElement,*\n", {}, ""},
      {"no domain, padded",
       "Orifice,Instrument,*,OrificePlate,FlowElement,*,,\n",
       {"1:49 empty_domain"},
       "Orifice,Instrument,*,OrificePlate,FlowElement,*\n"},
      {"target attribute ends the line",
       kPump + "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate\r\n",
       {"2:60 attribute_without_comma"},
       kPump + "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,\r\n"},
      {"CR LF into a value",
       kPump + "Pump,Equipment,Duty,,,,\r\n" + kValve,
       {"2:21 uncompleted_row", "2:24 carriage_return"},
       kPump + "Pump,Equipment,Duty,,,,\n" + kValve},
      {"CSV quoting",
       "\"Pump\",Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n",
       {"1:1 quoted_field"},
       kPump},
      {"quoted value with a comma",
       "\"Pump, big\",Equipment,*,C,R,*,EQT,\n",
       {"1:1 quoted_field", "1:1 orphan_attribute_row"},
       ""},
      {"semicolons", "Pump;Equipment;*;C;R;*;EQT;\n", {"1:5 wrong_separator"}, ""},
      {"tabs", "Pump\tEquipment\t*\n", {"1:5 wrong_separator"}, ""},
      {"empty column", "Pump,Equipment,*,,RotatingEquipment,*,EQT,\n", {"1:18 empty_column"}, ""},
      {"short row", "Pump,Equipment\n", {"1:1 short_row", "1:1 orphan_attribute_row"}, ""},
      {"uncompleted proposal", "Pump,Equipment,*,,,*,\n", {"1:18 uncompleted_row"}, ""},
      {"No Mapping rows keep empty columns",
       "Sump,Equipment,*,No Mapping,,*,EQT,\nSump,Equipment,Depth,No Mapping,,,EQT,\n",
       {},
       ""},
      {"second class row", kPump + kFlow + kPump, {"3:1 duplicate_class_row"}, ""},
      {"attribute row after another class",
       kPump + kValve + kFlow,
       {"3:1 unreachable_attribute_row"},
       kPump + kFlow + kValve},
      {"attribute row before its class row",
       kFlow + kValve + kPump,
       {"1:1 unreachable_attribute_row"},
       kValve + kPump + kFlow},
      {"moved from a last line without a line end",
       kPump + kValve + kFlow.substr(0, kFlow.size() - 1),
       {"3:1 unreachable_attribute_row"},
       kPump + kFlow + kValve},
      {"attribute row of a class without a row", kFlow, {"1:1 orphan_attribute_row"}, ""},
      {"Calc's class row and a stray row",
       "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n" + kValve + kFlow,
       {"1:54 domain_without_comma", "3:1 unreachable_attribute_row"},
       kPump + kFlow + kValve},
  };
  return cases;
}

TEST(TableAnalysis, FindsEachHazardAndRepairsTheMechanicalOnes) {
  for (const TableCase& table : Cases()) {
    SCOPED_TRACE(table.name);
    TableAnalysis analysis(table.table);
    EXPECT_EQ(Codes(analysis), table.codes);
    TableFix fix = FixTable(analysis);
    std::string expected = table.repaired.empty() ? std::string(analysis.Text()) : table.repaired;
    EXPECT_EQ(fix.text, expected);
    // Repaired once is repaired: nothing left to repair, nothing changes.
    TableAnalysis after(fix.text);
    for (const Hazard& hazard : after.Found()) EXPECT_TRUE(hazard.fix.empty()) << hazard.message;
    EXPECT_EQ(FixTable(after).text, fix.text);
  }
}

// Rows in any order: a repair keeps every row (as a multiset of contents)
// and leaves no attribute row out of reach.
TEST(TableAnalysis, MovingRowsKeepsEveryRow) {
  const std::vector<std::string> rows = {
      kPump,
      kFlow,
      kValve,
      "Valve,Equipment,Size,Valve,Equipment,Size,EQT,\n",
      "Pump,Equipment,Head,CentrifugalPump,RotatingEquipment,Head,EQT,\n",
      "\n"};
  std::vector<size_t> order = {0, 1, 2, 3, 4, 5};
  do {
    std::string table;
    for (size_t i : order) table += rows[i];
    TableAnalysis analysis(table);
    TableFix fix = FixTable(analysis);
    std::vector<std::string> before, after;
    for (const TextLine& line : analysis.Lines()) before.emplace_back(line.content);
    TableAnalysis fixed(fix.text);
    for (const TextLine& line : fixed.Lines()) after.emplace_back(line.content);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    ASSERT_EQ(before, after) << table;
    for (const Hazard& hazard : fixed.Found()) {
      ASSERT_NE(hazard.code, HazardCode::kUnreachableAttributeRow) << table;
    }
  } while (std::next_permutation(order.begin(), order.end()));
}

}  // namespace
