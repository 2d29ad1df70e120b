// What a name is about: its head word, found where English puts it, and
// whether two names' heads meet as they are, through a link or in phrases
// that stand for each other.
#include "suggest/name_similarity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "suggest/suggest_model.h"

TEST(NameHeads, MeetWhereTheNamesAreAboutOneThing) {
  const struct {
    const char* source;
    const char* target;
    bool meet;
  } cases[] = {
      {"Pump, Centrifugal", "Centrifugal Pump", true},
      {"Valve (Gate)", "Gate Valve", true},
      {"Valve - Gate", "Flanged Gate Valve", true},
      {"Call for Papers", "Paper Call", true},
      {"Skin of Abdomen", "Abdomen Skin", true},
      {"Pump 2", "Pumps", true},
      {"Supply Temp", "Leaving Temp", true},
      {"Program Committee", "PC", true},  // through the phrase below
      {"Hotel Room", "Hotel", false},
      {"Accepted Papers", "Acceptance", false},
      {"Valve-Gate", "Gate Valve", false},  // a hyphen joins words, it sets off nothing
      {"", "Pump", false},
  };
  WordVocabulary vocabulary(true);
  WordLinks links;
  auto id = [&](const char* word) { return vocabulary.Known(word); };
  for (const auto& c : cases) {
    vocabulary.Profile(c.source);
    vocabulary.Profile(c.target);
  }
  std::vector<uint32_t> from = {id("program"), id("committee")};
  std::sort(from.begin(), from.end());
  links.AddPhrase({from, {id("pc")}, 0.9, kSignalAbbreviation});
  links.Seal();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " ~ " + c.target);
    EXPECT_EQ(HeadsMeet(vocabulary.Profile(c.source), vocabulary.Profile(c.target), links), c.meet);
  }
}
