// The table rows a review's Apply replaces: only the lines confirmed, each
// keeping its own line end, and none where a line no longer reads as the
// preview showed it.
#include "review/table_apply.h"

#include <gtest/gtest.h>

namespace {

TEST(TableApply, ReplacesTheConfirmedLinesKeepingTheirLineEnds) {
  const std::string table = "A,P,*,X,R,*,EQT,\r\nA,P,a,X,R,k,\r\nB,P,*,Y,R,*,EQT,";
  std::string problem;
  const std::vector<ApplyPreview::Retarget> both = {
      {3, "B", "B,P,*,Y,R,*,EQT,", "B,P,*,Z,R,*,EQT,"},
      {1, "A", "A,P,*,X,R,*,EQT,", "A,P,*,W,R,*,EQT,"}};
  EXPECT_EQ(WithRetargets(table, both, problem),
            "A,P,*,W,R,*,EQT,\r\nA,P,a,X,R,k,\r\nB,P,*,Z,R,*,EQT,");
  EXPECT_EQ(problem, "");

  const std::vector<ApplyPreview::Retarget> changed = {
      {2, "A: a", "A,P,a,X,R,kk,", "A,P,a,W,R,k,"}};
  EXPECT_EQ(WithRetargets(table, changed, problem), "");
  EXPECT_EQ(problem, "table line 2 no longer reads A,P,a,X,R,kk,");
  const std::vector<ApplyPreview::Retarget> gone = {{9, "C", "C", "D"}};
  EXPECT_EQ(WithRetargets(table, gone, problem), "");
  EXPECT_EQ(problem, "the table has no line 9");
}

}  // namespace
