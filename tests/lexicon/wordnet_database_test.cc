// WordNet's database read from a small one of the tests' own: relations
// and entries found through base forms, and every kind of damage refused
// at load or passed over with a note, never a crash.
#include "lexicon/wordnet_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "tiny_wordnet.h"

namespace fs = std::filesystem;

namespace {

std::string Text(const std::vector<WordNetRelation>& relations) {
  std::string text;
  for (const WordNetRelation& relation : relations) {
    if (!text.empty()) text += ", ";
    text += relation.phrase + (relation.kind == WordNetRelationKind::kSynonym ? " =" : " ~") +
            std::to_string(relation.sense_rank);
  }
  return text;
}

std::unique_ptr<WordNetDatabase> LoadOrFail(const fs::path& folder) {
  std::string problem;
  std::unique_ptr<WordNetDatabase> database = WordNetDatabase::Load(folder.string(), problem);
  EXPECT_EQ(problem, "");
  return database;
}

}  // namespace

// "phrase =N" is a synonym and "phrase ~N" a pertainym, N the sense rank.
TEST(WordNetDatabase, RelatesPhrasesThroughTheirBaseFormsAndFirstSenses) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteTinyDatabase(scratch.path());
  auto database = LoadOrFail(scratch.path());
  ASSERT_NE(database, nullptr);
  const WordNetSenses two_senses{2, 999}, every_part{1, 999, 0xF};
  const struct {
    const char* phrase;
    std::string related;
    WordNetSenses senses = {};
  } cases[] = {
      {"renal", "kidney ~1, nephritic =1"},
      {"kidney", "nephritic ~1, renal ~1"},
      {"kidneys", "nephritic ~1, renal ~1"},  // a rule of detachment
      {"geese", "honker =1"},                 // the exception list
      {"cardiac", "heart ~1"},
      // The organ is the second sense of "heart": its pertainym comes with
      // that rank, and the synonyms of the second sense only when asked.
      {"heart", "bosom =1, cardiac ~2"},
      {"chair", ""},
      {"chair", "chairman =2, president =2", two_senses},
      {"eustachian tube", "auditory tube =1"},
      {"Eustachian_Tube", "auditory tube =1"},
      {"auditory  tubes", "eustachian tube =1"},  // a collocation's words, each in its base form
      {"supplies", ""},                           // a verb is not asked for ...
      {"supplies", "provide =1", every_part},     // ... unless wanted (a verb's rule)
      {"galore", "plenty =1"},                    // a satellite's marker cut off
      {"valves", ""},
      {"xyzzy", ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(database->Related(c.phrase, c.senses)), c.related) << c.phrase;
  }
  EXPECT_EQ(database->Damage(), "");
}

// A pertainym names one word of a synset; it holds for both words of a
// synset of two (two spellings: hilus and hilum), not for the looser words
// of a larger one (heart, pump and ticker).
TEST(WordNetDatabase, APertainymHoldsForBothWordsOfAPair) {
  zor_test::ScratchDirectory scratch;
  zor_test::TinyWordNet wordnet;
  const int hilum = wordnet.Add('n', {"hilus", "hilum"});
  wordnet.Add('a', {"hilar"}, {{"\\", hilum, 1, 2}});
  const int organ = wordnet.Add('n', {"heart", "pump", "ticker"});
  wordnet.Add('a', {"cardiac"}, {{"\\", organ, 1, 1}});
  wordnet.Add('v', {"beat"});  // every part of speech holds an entry
  wordnet.Add('r', {"fast"});
  wordnet.Write(scratch.path());
  auto database = LoadOrFail(scratch.path());
  ASSERT_NE(database, nullptr);
  EXPECT_EQ(Text(database->Related("hilar")), "hilum ~1, hilus ~1");
  EXPECT_EQ(Text(database->Related("hilus")), "hilar ~1, hilum =1");
  EXPECT_EQ(Text(database->Related("cardiac")), "heart ~1");
  EXPECT_EQ(Text(database->Related("pump")), "heart =1, ticker =1");
}

TEST(WordNetDatabase, TellsEntriesOfTheirOwnFromRunsOfWords) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteTinyDatabase(scratch.path());
  auto database = LoadOrFail(scratch.path());
  ASSERT_NE(database, nullptr);
  const struct {
    const char* phrase;
    bool entry;
  } cases[] = {
      {"auditory tube", true},  {"auditory tubes", true}, {"eustachian-tube", true},
      {"tube auditory", false}, {"auditory", false},      {"kidney", true},
      {"valves", true},         {"geese", true},          {"glass", false},
      {"tank 10787", false},    {"renal tube", false},    {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(database->IsEntry(c.phrase), c.entry) << c.phrase;
}

TEST(WordNetDatabase, RefusesADamagedDatabaseWithTheFileAndLine) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> damage;
    std::string problem;  // after the folder
  } cases[] = {
      {"no folder", [](const fs::path& f) { fs::remove_all(f); }, "index.noun: no such file"},
      {"no data file", [](const fs::path& f) { fs::remove(f / "data.verb"); },
       "data.verb: no such file"},
      {"an index that is a folder",
       [](const fs::path& f) {
         fs::remove(f / "index.adv");
         fs::create_directory(f / "index.adv");
       },
       "index.adv: is a directory"},
      {"a data file cut in half",
       [](const fs::path& f) {
         fs::resize_file(f / "data.noun", fs::file_size(f / "data.noun") / 2);
       },
       "index.noun:5: names a record past the end of"},
      {"an index cut inside its last line",
       [](const fs::path& f) {
         fs::resize_file(f / "index.verb", fs::file_size(f / "index.verb") - 4);
       },
       "index.verb:4: cut short"},
      {"an index line out of form",
       [](const fs::path& f) {
         zor_test::WriteFile(f / "index.adj",
                             zor_test::ReadFile(f / "index.adj") + "renal a 1 0 1 0 123\n");
       },
       "index.adj:8: not an entry of WordNet's index"},
      {"an exception without its base",
       [](const fs::path& f) { zor_test::WriteFile(f / "noun.exc", "geese\n"); },
       "noun.exc:1: not a line of WordNet's exception list"},
      {"an adjective's record where none belongs",
       [](const fs::path& f) {
         zor_test::WriteFile(f / "data.adj", zor_test::ReadFile(f / "data.adj") +
                                                 "00000001 03 a 01 extra 0 000 | a gloss  \n");
       },
       "data.adj:6: not a record of WordNet's data file"},
      {"a pertainym from a word the synset lacks",
       [](const fs::path& f) {
         std::string text = zor_test::ReadFile(f / "data.adj");
         zor_test::WriteFile(f / "data.adj", zor_test::ReplaceAll(text, " n 0201", " n 0301"));
       },
       "data.adj:3: a pointer to no word"},
      {"data of another version",
       [](const fs::path& f) {
         std::string text = zor_test::ReadFile(f / "data.noun");
         zor_test::WriteFile(f / "data.noun", text.insert(text.find('\n') + 1, "  3 more  \n"));
       },
       "is not the one"},
      {"an empty index", [](const fs::path& f) { zor_test::WriteFile(f / "index.adv", ""); },
       "index.adv: holds no entries"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    zor_test::ScratchDirectory scratch;
    const fs::path folder = scratch / "wordnet";
    zor_test::WriteTinyDatabase(folder);
    c.damage(folder);
    std::string problem;
    EXPECT_EQ(WordNetDatabase::Load(folder.string(), problem), nullptr);
    EXPECT_TRUE(problem.starts_with(folder.string() + "/")) << problem;
    EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
  }
}

// A record that only queries reach is passed over when it is damaged, and
// the first such record is named for a note at the end of a run.
TEST(WordNetDatabase, PassesOverADamagedRecordAndNamesIt) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteTinyDatabase(scratch.path());
  const fs::path nouns = scratch / "data.noun";
  // The organ's synset is no word's first sense, so loading never reads it.
  zor_test::WriteFile(
      nouns, zor_test::ReplaceAll(zor_test::ReadFile(nouns), " heart 0 000", " heart X 000"));
  auto database = LoadOrFail(scratch.path());
  ASSERT_NE(database, nullptr);
  // Without the record, which word of the synset is "heart" is unknown.
  EXPECT_EQ(Text(database->Related("heart")), "bosom =1");
  EXPECT_EQ(Text(database->Related("cardiac")), "");
  EXPECT_NE(database->Damage().find("data.noun: the record at byte "), std::string::npos)
      << database->Damage();
}

// Files cut, bytes changed, lines doubled or dropped at random: the load
// refuses the database with a reason naming the folder, or takes it and
// answers every query.
TEST(WordNetDatabase, SurvivesRandomDamageToAnyFile) {
  const std::vector<std::string> files = {"index.noun", "data.noun",  "index.adj", "data.adj",
                                          "noun.exc",   "index.verb", "data.verb", "index.adv"};
  const std::vector<std::string> phrases = {
      "renal", "kidneys", "heart", "chair", "geese", "auditory tubes", "supplies", "galore", "x"};
  std::mt19937 random(20240601);
  zor_test::ScratchDirectory scratch;
  const fs::path folder = scratch.path();
  zor_test::WriteTinyDatabase(folder);
  for (int round = 0; round < 300; ++round) {
    const fs::path file = folder / files[random() % files.size()];
    const std::string original = zor_test::ReadFile(file);
    std::string text = original;
    const size_t at = random() % text.size();
    switch (random() % 4) {
      case 0:
        text.resize(at);
        break;
      case 1:
        text[at] = static_cast<char>(random() % 256);
        break;
      case 2:
        text.insert(text.find('\n', at) + 1, text.substr(0, text.find('\n') + 1));
        break;
      case 3:
        text.erase(at, std::min(text.size() - at, size_t{40}));
        break;
    }
    zor_test::WriteFile(file, text);
    std::string problem;
    auto database = WordNetDatabase::Load(folder.string(), problem);
    if (database == nullptr) {
      EXPECT_TRUE(problem.starts_with(folder.string())) << problem;
    }
    for (const std::string& phrase : phrases) {
      if (database == nullptr) break;
      database->Related(phrase, {3, 999});
      database->IsEntry(phrase);
    }
    database.reset();
    zor_test::WriteFile(file, original);
  }
}
