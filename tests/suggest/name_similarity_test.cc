// What a name is about: its head word, found where English puts it, and
// whether two names' heads meet as they are, through a link or in phrases
// that stand for each other.
#include "suggest/name_similarity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "suggest/name_heads.h"
#include "suggest/spelling_index.h"
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
      {"Transmitter TT-101", "Pressure Transmitter", true},
      {"Pump P-101A", "Pump", true},
      {"Fire Damper 314 Type", "Damper", true},
      {"(Old) Pump, Centrifugal", "Pump", true},
      {"Hotel Room", "Hotel", false},
      {"Accepted Papers", "Acceptance", false},
      {"Valve-Gate", "Gate Valve", false},  // a hyphen joins words, it sets off nothing
      {"", "Pump", false},
      {"FMA:7163", "FMA:2", false},  // codes are about nothing
      {"C0012", "C0013", false},
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

TEST(NameHeads, PluralsAreOneFormWithTheirSingular) {
  const struct {
    const char* word;
    bool capitals;
    const char* singular;
  } cases[] = {
      {"papers", false, "paper"}, {"boxes", false, "box"},     {"categories", false, "category"},
      {"sizes", false, "size"},   {"status", false, "status"}, {"analysis", false, "analysis"},
      {"class", false, "class"},  {"lims", true, "lims"},      {"pumps", true, "pump"},
      {"gas", false, "gas"},
  };
  for (const auto& c : cases) EXPECT_EQ(Singular({c.word, c.capitals}), c.singular) << c.word;
}

TEST(NameHeads, OneSlipIsOneChangeAwayFromTheFirstLetter) {
  const struct {
    const char* a;
    const char* b;
    bool slip;
  } cases[] = {
      {"organization", "organisation", true},  // a letter changed
      {"aluminium", "aluminum", true},         // one dropped
      {"conductor", "condcutor", true},        // neighbours swapped
      {"\u0442\u0440\u0430\u043d\u0441\u0444\u043e\u0440\u043c\u0430\u0442\u043e\u0440",
       "\u0442\u0440\u0430\u043d\u0441\u0444\u043e\u0440\u043c\u0442\u043e\u0440", true},
      {"anterior", "interior", false},    // the first letter
      {"xabcdefgh", "xbcdefghi", false},  // shifted: two changes
      {"sponsorship", "sponsorship", false},
      {"organization", "organizator", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " ~ " + c.b);
    SlipIndex index(7, 7);
    index.Add(1, c.b);
    index.Seal();
    EXPECT_EQ(!index.Near(0, c.a).empty(), c.slip);
  }
  SlipIndex index(7, 7);  // four Cyrillic letters are eight bytes, and too short
  index.Add(1, "\u043a\u0440\u0435\u043d");
  index.Seal();
  EXPECT_TRUE(index.Near(0, "\u043a\u0440\u0430\u043d").empty());
}
