// The completed file as CSV tools write it, read back into the rows the
// table takes: each case gives the file's bytes and the rows in the table's
// form (a refused row as "!" and the start of its reason), or the reason
// the whole file is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "merge/completed_rows.h"

namespace {

using namespace std::string_literals;

std::vector<std::string> RowsOf(const CompletedFile& file) {
  std::vector<std::string> rows;
  for (const CompletedRow& row : file.Rows()) {
    rows.push_back(row.check.Usable() ? std::string(row.content) : "!" + row.check.reason);
  }
  return rows;
}

std::string Utf16(const std::string& ascii, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) out += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
  return out;
}

TEST(CompletedFile, TakesWhatCsvToolsWriteBackToTheTablesForm) {
  const std::string kClass = "Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,";
  const std::string kMesh = "Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,";
  const struct {
    std::string bytes;
    std::vector<std::string> rows;
    std::string problem = "";
  } cases[] = {
      {kClass + "\n" + kMesh + "\n", {kClass, kMesh}},
      // The class row's domain ends the line; CR LF; padding to the widest row.
      {"Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT\r\n" + kMesh + ",,\r\n", {kClass, kMesh}},
      {"\"Strainer\",\"Pipe Fitting\",\"*\",\"YStrainer\",\"Valve\",\"*\",\"EQT\"\n", {kClass}},
      {"Nozzle,Pipe,\"Nozzle 2\"\"\",N,P,N2\n", {"Nozzle,Pipe,Nozzle 2\",N,P,N2,"}},
      {"\xEF\xBB\xBF" + kClass + "\n", {kClass}},
      {Utf16(kClass + "\r\n" + kMesh + "\r\n", true), {kClass, kMesh}},
      {Utf16(kClass + "\n", false), {kClass}},
      // Blank lines and the rows of empty cells a spreadsheet pads them to.
      {"\n,,,,,,\n" + kClass, {kClass}},
      // A "No Mapping" row needs its first three columns only.
      {"Sump,Equipment,*,No Mapping", {"Sump,Equipment,*,No Mapping,"}},
      // Values no row of the table can hold, and quotes left open.
      {"Strainer,\"Pipe, Fitting\",*,Y,V,*,EQT\n" + kMesh,
       {"!column 2 (parent) holds a comma", kMesh}},
      {"Strainer,\"Pipe\nFitting\",*,Y,V,*,EQT\n" + kMesh,
       {"!column 2 (parent) holds a line end", kMesh}},
      {"Strainer,\"Pipe\" Fitting,*\n", {"!column 2 (parent) goes on after the quote"}},
      {"Strainer,Pipe,*,\"Y,V,*,EQT\n" + kMesh, {"!column 4 (target class) opens a quote"}},
      // An uncompleted row is refused for what it lacks, as written.
      {"Strainer,Pipe Fitting,Mesh Size,,,,\n", {"!column 4 (target class) is empty"}},
      {"Strainer,Pipe Fitting,*,,,*\n", {"!column 4 (target class) is empty"}},
      // Whole files the table cannot take.
      {"Strainer;Pipe Fitting;*;YStrainer;Valve;*;EQT\n", {}, "separated by semicolons"},
      {"Strainer\tPipe Fitting\t*\tYStrainer\tValve\t*\tEQT\n", {}, "separated by tabs"},
      {"\xFF\xFE\0\0S\0\0\0"s, {}, "is UTF-32 text"},
      {"\xFF\xFES\0t"s, {}, "odd number of bytes"},
      {"\xFF\xFE\0\xD8S\0"s, {}, "broken character"},
      {"S\0t\0r\0,\0"s, {}, "UTF-16 text without a byte-order mark"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    CompletedFile file(c.bytes);
    EXPECT_TRUE(file.Problem().starts_with(c.problem) ||
                file.Problem().find(c.problem) != std::string::npos)
        << file.Problem();
    EXPECT_EQ(c.problem.empty(), file.Problem().empty());
    std::vector<std::string> rows = RowsOf(file);
    ASSERT_EQ(rows.size(), c.rows.size()) << testing::PrintToString(rows);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_TRUE(rows[i].starts_with(c.rows[i])) << rows[i];
  }
}

// Line numbers name the first line of a record, also after a quoted value
// that spans lines.
TEST(CompletedFile, NumbersRowsByTheirFirstLine) {
  CompletedFile file("\na,b,\"x\ny\",c,d,e,\n\nP,Q,*,R,S,*,\n");
  ASSERT_EQ(file.Rows().size(), 2u);
  EXPECT_EQ(file.Rows()[0].line_number, 2u);
  EXPECT_EQ(file.Rows()[1].line_number, 5u);
  EXPECT_EQ(file.Rows()[1].name, "P");
}

}  // namespace
