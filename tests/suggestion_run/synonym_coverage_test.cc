// The synonyms file's entries that no name of either dictionary holds are
// warned of, with the words apart where a run-together entry reads as
// names' words; entries names hold, in any form, are not.
#include "suggestion_run/synonym_coverage.h"

#include <gtest/gtest.h>

#include "suggest/name_store.h"

TEST(SynonymCoverage, WarnsOfEntriesInNoNameAndSplitsRunTogetherWords) {
  static NameStore names;
  SuggestInput input;
  input.source = {{names.Keep("Supply Air Temperature"), names.Keep("SAT"), {}, {}, {}}};
  input.target = {{names.Keep("Heat_Exchanger"), names.Keep("HX"), {}, {}, {}},
                  {names.Keep("Leaving Air Temp"), names.Keep("LAT"), {}, {}, {}}};
  input.target[0].attributes = {{names.Keep("Inlet Pressures"), names.Keep("InletPressure")}};
  const std::vector<SynonymGroup> groups = {
      {1, {"supply", "leaving"}},          {2, {"leavng", "leaving"}}, {3, {"HeatExchanger", "hx"}},
      {4, {"temp", "temperatures"}},        // another form of a name's word
      {5, {"inlet pressure", "in press"}},  // one word of two in no name
  };
  EXPECT_EQ(SynonymsInNoName(groups, "trade.txt", input),
            (std::vector<std::string>{
                "trade.txt:2: warning: 'leavng' is in no name of either dictionary, so it never "
                "meets one",
                "trade.txt:3: warning: 'HeatExchanger' is in no name of either dictionary: the "
                "names hold 'heat exchanger'; write its words apart",
                "trade.txt:5: warning: 'in press' is in no name of either dictionary, so it never "
                "meets one",
            }));
}
