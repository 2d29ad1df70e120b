#include "text/name_hints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "text/folded_text.h"

namespace {

TEST(FoldedText, CaseAccentsCompatibilityFormsAndWordGapsFoldAlike) {
  struct Case {
    const char* a;
    const char* b;
  };
  for (const Case& c : {Case{"Flow_Rate", "flow rate"}, Case{"FLOW-RATE", "FlowRate"},
                        Case{"Straße", "STRASSE"}, Case{"Débit Nominal", "debit nominal"},
                        Case{"ﬁlter", "filter"}, Case{"ＰＵＭＰ", "pump"}}) {
    EXPECT_EQ(FoldCompact(c.a), FoldCompact(c.b)) << c.a << " / " << c.b;
  }
  EXPECT_NE(FoldCompact("Pump"), FoldCompact("Pumps"));
}

// Bytes of a windows-1252 file fold as Latin-1 letters, and folding any
// byte string gives valid UTF-8.
TEST(FoldedText, InvalidUtf8IsReadByteForByte) {
  EXPECT_EQ(FoldText("D\xE9"
                     "bit"),
            "debit");
  std::string every;
  for (int b = 1; b < 256; ++b) every += static_cast<char>(b);
  const std::string valid = ValidUtf8(every);
  EXPECT_EQ(ValidUtf8(valid), valid);
  EXPECT_EQ(FoldText(FoldText(every)), FoldText(every));
}

TEST(NameHints, SuggestsTheNameAMistypedOneStandsFor) {
  NameHints hints;
  for (const char* name : {"CentrifugalPump", "Valve", "Gate Valve", "MeshSize", "Pipe Size",
                           "Débit", "Pump", "Pumps"}) {
    hints.Add(name);
  }
  struct Case {
    const char* typed;
    const char* meant;  // nullptr: no hint
  };
  for (const Case& c :
       {Case{"centrifugalpump", "CentrifugalPump"}, Case{"gate_valve", "Gate Valve"},
        Case{"Mesh Size", "MeshSize"}, Case{"debit", "Débit"},
        Case{"CentrifugalPmup", "CentrifugalPump"}, Case{"CentrifugalPum", "CentrifugalPump"},
        Case{"CentrifugalPumpe", "CentrifugalPump"}, Case{"PipeSixe", "Pipe Size"},
        Case{"Valve", nullptr}, Case{"Vlv", nullptr}, Case{"Compressor", nullptr},
        Case{"PUMP", "Pump"}, Case{"", nullptr}}) {
    auto hint = hints.DidYouMean(c.typed);
    if (c.meant == nullptr) {
      EXPECT_FALSE(hint) << c.typed << " -> " << hint.value_or("");
    } else {
      EXPECT_EQ(hint.value_or("(none)"), c.meant) << c.typed;
    }
  }
}

}  // namespace

namespace {

// Names as dictionaries hold them, and the slips people make typing them:
// case, gaps, accents, a letter dropped, doubled, changed or swapped.
std::string RandomName(std::mt19937& random) {
  static const std::vector<std::string> kWords = {"Flow", "Rate", "Pump",  "Valve",
                                                  "Size", "Mesh", "Débit", "Gate",
                                                  "Body", "ab",   "Pipe",  "Straße"};
  static const char* kGaps[] = {"", " ", "_", "-"};
  std::string name;
  for (int words = 1 + static_cast<int>(random() % 3); words > 0; --words) {
    if (!name.empty()) name += kGaps[random() % 4];
    name += kWords[random() % kWords.size()];
  }
  return name;
}

std::string Mistyped(std::string name, std::mt19937& random) {
  if (name.empty()) return name;
  size_t at = random() % name.size();
  switch (random() % 6) {
    case 0:
      name.erase(at, 1);
      break;
    case 1:
      name.insert(at, 1, name[at]);
      break;
    case 2:
      name[at] = static_cast<char>('a' + random() % 26);
      break;
    case 3:
      if (at + 1 < name.size()) std::swap(name[at], name[at + 1]);
      break;
    case 4:
      for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      break;
    default:
      name += "s";
  }
  return name;
}

}  // namespace

// A small set answers by looking at each name, a large one through its
// index: on generated names and slips both give the same hint.
TEST(NameHints, SmallSetsHintAsTheIndexDoes) {
  std::mt19937 random(7);
  for (int set = 0; set < 200; ++set) {
    NameHints hints;
    std::vector<std::string> names;
    for (size_t n = random() % NameHints::kLinearLimit; n > 0; --n) {
      names.push_back(RandomName(random));
      hints.Add(names.back());
    }
    ASSERT_LE(hints.size(), NameHints::kLinearLimit);
    for (int query = 0; query < 40; ++query) {
      std::string typed = names.empty() || random() % 4 == 0
                              ? RandomName(random)
                              : Mistyped(names[random() % names.size()], random);
      EXPECT_EQ(hints.DidYouMean(typed), hints.DidYouMeanIndexed(typed)) << typed;
      EXPECT_EQ(hints.Contains(typed), std::find(names.begin(), names.end(), typed) != names.end());
    }
  }
}

// ASCII text folds without the Unicode tables, exactly as through them: a
// character outside ASCII after it sends the same text the long way.
TEST(FoldedText, AsciiFoldsAsTheTablesFoldIt) {
  std::mt19937 random(11);
  for (int n = 0; n < 2000; ++n) {
    std::string text;
    for (size_t length = random() % 12; length > 0; --length) {
      text += static_cast<char>(random() % 128);
    }
    EXPECT_EQ(FoldText(text) + "e", FoldText(text + "\xC3\xA9")) << text;
  }
}
