#include "merge/row_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Rows in the shapes a run proposes, completed or not, and the ways a hand
// edit goes wrong. The reason names the column and what the reader would
// make of the row instead.
TEST(CheckRow, AcceptsOnlyRowsTheReaderTakesAsWritten) {
  const struct {
    std::string row;
    RowFault fault;
    const char* reason = "";  // the start of the reason given
  } cases[] = {
      {"Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,", RowFault::kNone},
      // The comma that ends a proposed row is the line end, not a column.
      {"Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,", RowFault::kNone},
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,PipeFitting,MeshSize,", RowFault::kNone},
      // Nine-column rows of the V5/V5 run: the columns after the seventh are never read.
      {"GateValve,Valve,PressureClass,GateValve,ManualValve,PressureClass,,,", RowFault::kNone},
      {"GateValve,Valve,PressureClass,GateValve,ManualValve,PressureClass,VLV,,x", RowFault::kNone},
      {"Strainer,Pipe Fitting,Mesh Size,No Mapping,,,", RowFault::kNone},
      {"Strainer,Pipe Fitting,*,,,*,", RowFault::kEmptyColumn,
       "column 4 (target class) is empty: the reader would take '*' as the target class"},
      {"Strainer,Pipe Fitting,Mesh Size,,,,", RowFault::kEmptyColumn,
       "column 4 (target class) is empty: the reader would find no target class"},
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,,MeshSize,", RowFault::kEmptyColumn,
       "column 5 (target parent) is empty: the reader would take 'MeshSize' as the target parent"},
      {"Strainer,Pipe Fitting,*,YStrainer,PipeFitting", RowFault::kEmptyColumn,
       "column 6 (target attribute) is missing"},
      {"Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,,PIP,", RowFault::kEmptyColumn,
       "column 7 (domain) is empty: the reader would take 'PIP' as the domain"},
      {"Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP", RowFault::kRunsIntoLineEnd,
       "column 7 (domain) has no comma after it: the reader would take 'PIP' and the line end "
       "as the domain"},
      {"Strainer,Pipe Fitting,*", RowFault::kRunsIntoLineEnd, "column 3 (attribute) has no comma"},
      {",Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,", RowFault::kUnnameable,
       "column 1 (class) is empty"},
      {"Strainer,,*,No Mapping,,*,", RowFault::kUnnameable, "column 2 (parent) is empty"},
      {"Strainer", RowFault::kUnnameable, "the row has no comma"},
      // Proposed for a class named "Pumps, Misc": its stars moved one column on.
      {"Pumps, Misc,Equipment,*,CP,RE,*,EQT,", RowFault::kUnnameable,
       "'*' stands in columns 4 and 7"},
      {std::string("Strainer,Pipe\0Fitting,*,Y,P,*,", 30), RowFault::kNulByte,
       "holds a NUL byte at character 14"},
  };
  for (const auto& c : cases) {
    const std::string& row = c.row;
    RowCheck check = CheckRow(row);
    EXPECT_EQ(check.fault, c.fault) << row;
    EXPECT_TRUE(check.reason.starts_with(c.reason)) << row << "\n" << check.reason;
    EXPECT_EQ(check.Usable(), check.reason.empty()) << row;
  }
  EXPECT_TRUE(CheckRow("Strainer,Pipe Fitting,*,No Mapping,,*,").class_row);
  EXPECT_FALSE(CheckRow("Strainer,Pipe Fitting,Mesh Size,No Mapping,,,").class_row);
}

}  // namespace
