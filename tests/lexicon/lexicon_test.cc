// The lexicon the matcher asks: the user's groups and WordNet behind one
// query, each relation named by its source, and either one missing.
#include "lexicon/lexicon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "tiny_wordnet.h"

namespace {

std::string Text(const std::vector<LexiconRelation>& relations) {
  std::string text;
  for (const LexiconRelation& relation : relations) {
    const char* source = relation.source == LexiconSource::kUserSynonym        ? "user"
                         : relation.source == LexiconSource::kWordNetPertainym ? "pertainym"
                                                                               : "synonym";
    if (!text.empty()) text += ", ";
    text += relation.phrase + " (" + source + " " + std::to_string(relation.sense_rank) + ")";
  }
  return text;
}

std::vector<SynonymGroup> Groups(const std::string& text) {
  UserSynonyms synonyms = ParseUserSynonyms(text, "groups");
  EXPECT_TRUE(synonyms.problems.empty());
  return synonyms.groups;
}

}  // namespace

TEST(Lexicon, JoinsTheUsersGroupsAndWordNetInOneQuery) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteTinyDatabase(scratch / "wordnet");
  Lexicon lexicon;
  EXPECT_EQ(lexicon.LoadWordNet((scratch / "wordnet").string()), "");
  lexicon.AddUserGroups(
      Groups("Renal = NEPHRO\n"
             "Température = temp\n"
             "temp = template\n"
             "Heat_Exchanger = hx\n"
             "kidney = Kidney\n"));  // one entry twice: relates nothing
  EXPECT_TRUE(lexicon.HasWordNet());
  EXPECT_TRUE(lexicon.HasUserSynonyms());
  const struct {
    const char* phrase;
    std::string related;
  } cases[] = {
      {"renal", "nephro (user 0), kidney (pertainym 1), nephritic (synonym 1)"},
      // The user's entries fold as names do; groups that share an entry
      // stay apart.
      {"temperature", "temp (user 0)"},
      {"temp", "temperature (user 0), template (user 0)"},
      {"template", "temp (user 0)"},
      {"heat exchanger", "hx (user 0)"},
      {"hx", "heat exchanger (user 0)"},
      {"kidney", "nephritic (pertainym 1), renal (pertainym 1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(Text(lexicon.Related(c.phrase)), c.related) << c.phrase;
  for (const char* entry : {"heat exchanger", "heat-exchanger", "auditory tubes", "hx"}) {
    EXPECT_TRUE(lexicon.IsEntry(entry)) << entry;
  }
  EXPECT_FALSE(lexicon.IsEntry("heat pump"));
  EXPECT_EQ(lexicon.MostUserPhraseWords(), 2u);
  EXPECT_EQ(lexicon.WordNetDamage(), "");
}

TEST(Lexicon, GoesOnWithoutWhatCannotBeLoaded) {
  zor_test::ScratchDirectory scratch;
  Lexicon lexicon;
  const std::string missing = (scratch / "wordnet").string();
  EXPECT_EQ(lexicon.LoadWordNet(missing), missing + "/index.noun: no such file");
  EXPECT_FALSE(lexicon.HasWordNet());

  zor_test::WriteFile(scratch / "trade.txt", "supply = leaving\ntemp\n");
  std::vector<SynonymProblem> problems = lexicon.LoadUserSynonyms((scratch / "trade.txt").string());
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].line, 2u);
  EXPECT_FALSE(lexicon.HasUserSynonyms());  // a file with a bad line is not used at all

  EXPECT_EQ(Text(lexicon.Related("supply")), "");
  EXPECT_FALSE(lexicon.IsEntry("supply"));
  EXPECT_TRUE(DefaultWordNetFolder().ends_with("wordnet")) << DefaultWordNetFolder();
}

// The database itself where ZOR_WORDNET_DIR names it: the Windows zip's
// copy, checked under Wine by scripts/test-windows.sh. Skipped elsewhere.
TEST(Lexicon, ReadsTheDatabaseNamedByZorWordnetDir) {
  const char* folder = std::getenv("ZOR_WORDNET_DIR");
  if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "ZOR_WORDNET_DIR is not set";
  Lexicon lexicon;
  ASSERT_EQ(lexicon.LoadWordNet(folder), "");
  const std::string renal = Text(lexicon.Related("renal"));
  EXPECT_NE(renal.find("kidney (pertainym 1)"), std::string::npos) << renal;
  const std::string kidneys = Text(lexicon.Related("kidneys"));
  EXPECT_NE(kidneys.find("renal (pertainym 1)"), std::string::npos) << kidneys;
  EXPECT_NE(Text(lexicon.Related("eustachian tube")).find("auditory tube (synonym 1)"),
            std::string::npos);
  EXPECT_TRUE(lexicon.IsEntry("auditory tubes"));
  EXPECT_FALSE(lexicon.IsEntry("tank 10787"));
  EXPECT_EQ(lexicon.WordNetDamage(), "");
}
