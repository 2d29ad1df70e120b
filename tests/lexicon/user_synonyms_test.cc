// The user's synonyms file: the groups of good lines as written, and every
// bad line with its number and reason, all of them at once.
#include "lexicon/user_synonyms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/test_support.h"

namespace {

using namespace std::string_literals;

// Each group as "line: entry | entry", each problem as "line: reason".
std::vector<std::string> Groups(const UserSynonyms& synonyms) {
  std::vector<std::string> groups;
  for (const SynonymGroup& group : synonyms.groups) {
    std::string text = std::to_string(group.line) + ":";
    for (size_t i = 0; i < group.entries.size(); ++i) text += (i ? " | " : " ") + group.entries[i];
    groups.push_back(text);
  }
  return groups;
}

std::vector<std::string> Problems(const UserSynonyms& synonyms) {
  std::vector<std::string> problems;
  for (const SynonymProblem& problem : synonyms.problems) {
    EXPECT_EQ(problem.file, "trade.txt");
    problems.push_back(std::to_string(problem.line) + ": " + problem.reason);
  }
  return problems;
}

}  // namespace

TEST(UserSynonyms, ReadsGroupsWrittenWithEqualsSignsOrAsCsv) {
  const struct {
    std::string bytes;
    std::vector<std::string> groups;
  } cases[] = {
      {"supply = leaving\ntemp = temperature = temperatures\n",
       {"1: supply | leaving", "2: temp | temperature | temperatures"}},
      {"heat exchanger = HX", {"1: heat exchanger | HX"}},  // phrases, no final line end
      {"# the plant's words\n\n  \t\n   # indented comment\nin = inlet\n", {"5: in | inlet"}},
      {"\xEF\xBB\xBFsupply,leaving\r\nTemp , Température\r\n",
       {"1: supply | leaving", "2: Temp | Température"}},
      // CSV quotes, a quote doubled inside them, and the empty cells a
      // spreadsheet pads short rows with.
      {"\"no. of poles\",\"pole count\"\n\"12\"\" pipe\",foot pipe,,,\n,,,\n",
       {"1: no. of poles | pole count", "2: 12\" pipe | foot pipe"}},
      {"\"a = b\", c\n\"x, y\" = z\n", {"1: a = b | c", "2: x, y | z"}},
      {"temp = temperature,,\nin = inlet , , \n", {"1: temp | temperature", "2: in | inlet"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    UserSynonyms synonyms = ParseUserSynonyms(c.bytes, "trade.txt");
    EXPECT_EQ(Problems(synonyms), std::vector<std::string>{});
    EXPECT_EQ(Groups(synonyms), c.groups);
  }
}

TEST(UserSynonyms, ReportsEveryBadLineWithItsNumber) {
  const std::string bytes =
      "temp\n"                  // 1
      "supply = leaving\n"      // 2: good
      "a = = b\n"               // 3
      "a = b =\n"               // 4
      "a, b = c\n"              // 5
      "\"a, b\n"                // 6
      "\"a\" b, c\n"            // 7
      "caf\xE9 = coffee\n"      // 8: Latin-1, not UTF-8
      "a\0b = c\n"s             // 9
      "a\x01 = b\n" +           // 10
      std::string(5000, 'x') +  // 11
      " = y\n" +
      std::string(kMostSynonymLineBytes, ' ') +  // 12
      "a = b\n"
      "\"\", b\n"          // 13
      "supply;leaving\n"   // 14
      "supply\tleaving\n"  // 15
      "in = inlet\n";      // 16: good
  UserSynonyms synonyms = ParseUserSynonyms(bytes, "trade.txt");
  EXPECT_EQ(Groups(synonyms), (std::vector<std::string>{"2: supply | leaving", "16: in | inlet"}));
  EXPECT_EQ(
      Problems(synonyms),
      (std::vector<std::string>{
          "1: a group needs two entries or more, separated by '=' or ','",
          "3: entry 2 is empty",
          "4: entry 3 is empty",
          "5: both '=' and ',' separate entries: use one of them (quote an entry that holds a "
          "comma)",
          "6: a quote is not closed",
          "7: text after a closing quote",
          "8: not valid UTF-8",
          "9: holds a NUL byte",
          "10: holds a control character",
          "11: its entries hold more than 4096 bytes together",
          "12: longer than 20480 bytes",
          "13: entry 1 is empty",
          "14: entries separated by ';': separate them by '=' or ',' (save the spreadsheet as "
          "CSV with commas)",
          "15: entries separated by tabs: separate them by '=' or ',' (save the spreadsheet as "
          "CSV with commas)",
      }));
}

TEST(UserSynonyms, RefusesWholeFilesItCannotReadAsUtf8Text) {
  const struct {
    std::string bytes;
    std::string problem;
  } cases[] = {
      {"\xFF\xFEs\0=\0t\0"s, "0: UTF-16 text: save the file as UTF-8"},
      {"\xFE\xFF\0s\0=\0t"s, "0: UTF-16 text: save the file as UTF-8"},
      {"s\0=\0t\0"s, "0: UTF-16 text: save the file as UTF-8"},
      {zor_test::Repeat("a = b\n", kMostSynonymFileBytes / 6 + 1), "0: larger than 4 MiB"},
  };
  for (const auto& c : cases) {
    UserSynonyms synonyms = ParseUserSynonyms(c.bytes, "trade.txt");
    EXPECT_EQ(Problems(synonyms), std::vector<std::string>{c.problem});
    EXPECT_TRUE(synonyms.groups.empty());
  }
}

TEST(UserSynonyms, ReadsAFileAndNamesItInEveryProblem) {
  zor_test::ScratchDirectory scratch;
  const std::string path = (scratch / "trade words.csv").string();
  zor_test::WriteFile(path, "temp = temperature\nflow\n");
  UserSynonyms synonyms = ReadUserSynonyms(path);
  ASSERT_EQ(synonyms.groups.size(), 1u);
  ASSERT_EQ(synonyms.problems.size(), 1u);
  EXPECT_EQ(SynonymProblemText(synonyms.problems[0]),
            path + ":2: a group needs two entries or more, separated by '=' or ','");

  for (const std::string& unreadable : {(scratch / "none.txt").string(), scratch.path().string()}) {
    synonyms = ReadUserSynonyms(unreadable);
    ASSERT_EQ(synonyms.problems.size(), 1u);
    EXPECT_EQ(synonyms.problems[0].line, 0u);
    EXPECT_TRUE(SynonymProblemText(synonyms.problems[0]).starts_with(unreadable + ": "));
  }
}

// A group the reader takes in one form it takes in the form a spreadsheet
// saves, every cell quoted and each quote inside doubled: the bound is on
// the entries, not on what a writer adds around them.
TEST(UserSynonyms, TakesAGroupAtItsBoundInEveryForm) {
  const std::string quotes(kMostSynonymGroupBytes / 2, '"');
  const std::vector<std::vector<std::string>> groups = {
      std::vector<std::string>(kMostSynonymGroupBytes, "x"),  // many one-letter entries
      {quotes, quotes},                                       // every byte a quote
      std::vector<std::string>(kMostSynonymGroupBytes / 32, std::string(32, 'w')),
  };
  for (const auto& entries : groups) {
    std::string by_equals, quoted;
    for (size_t i = 0; i < entries.size(); ++i) {
      by_equals += (i ? " = " : "") + entries[i];
      quoted += i ? ",\"" : "\"";
      for (char c : entries[i]) quoted += c == '"' ? "\"\"" : std::string(1, c);
      quoted += '"';
    }
    for (const std::string& line : {by_equals, quoted}) {
      if (line == by_equals && entries[0].front() == '"') continue;  // needs quotes to be read
      UserSynonyms synonyms = ParseUserSynonyms(line + "\r\n", "trade.txt");
      EXPECT_EQ(Problems(synonyms), std::vector<std::string>{}) << line.size();
      ASSERT_EQ(synonyms.groups.size(), 1u);
      EXPECT_EQ(synonyms.groups[0].entries, entries);
      UserSynonyms over =
          ParseUserSynonyms(line + (line == by_equals ? " = y" : ",y"), "trade.txt");
      EXPECT_EQ(Problems(over),
                std::vector<std::string>{"1: its entries hold more than 4096 bytes together"});
    }
  }
}

// A first line of column headings, as a spreadsheet's list has, is read as
// written but warned of; one that names words of the trade is not.
TEST(UserSynonyms, WarnsOfAFirstLineThatReadsAsAHeader) {
  const struct {
    std::string bytes;
    size_t warnings;
  } cases[] = {
      {"Old word,New word\nsupply,leaving\n", 1},
      {"# words\nAbbreviation = Meaning\n", 1},
      {"supply,leaving\nOld word,New word\n", 0},  // only a first line is a header
      {"source = origin\n", 0},
  };
  for (const auto& c : cases) {
    UserSynonyms synonyms = ParseUserSynonyms(c.bytes, "trade.txt");
    EXPECT_EQ(synonyms.warnings.size(), c.warnings) << c.bytes;
    EXPECT_EQ(Problems(synonyms), std::vector<std::string>{}) << c.bytes;
  }
}
