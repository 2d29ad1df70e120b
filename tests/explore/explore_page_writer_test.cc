#include "explore/explore_page_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "../support/test_support.h"
#include "explore/explore_template.h"
#include "explore/report_link.h"
#include "explore/script_safe_json.h"

namespace {

using nlohmann::json;

std::vector<json> SmallFindings() {
  std::istringstream lines(zor_test::ReadFile(ZOR_TEST_DATA_DIR "/explore/small.jsonl"));
  std::vector<json> records;
  for (std::string line; std::getline(lines, line);) records.push_back(json::parse(line));
  return records;
}

std::string PageOf(const std::vector<json>& records, ExplorePageOptions options = {}) {
  std::ostringstream page;
  ExplorePageWriter writer(page, options);
  for (const json& record : records) writer.Add(record);
  writer.Finish();
  return page.str();
}

// The text of every <script type="application/json"> block, by id.
std::map<std::string, std::string> DataBlocks(const std::string& page) {
  static const std::string kOpen = "<script type=\"application/json\" id=\"";
  std::map<std::string, std::string> blocks;
  for (size_t at = page.find(kOpen); at != std::string::npos; at = page.find(kOpen, at + 1)) {
    size_t id_end = page.find('"', at + kOpen.size());
    size_t text = page.find('>', id_end) + 1;
    blocks[page.substr(at + kOpen.size(), id_end - at - kOpen.size())] =
        page.substr(text, page.find("</script>", text) - text);
  }
  return blocks;
}

size_t Occurrences(const std::string& text, const std::string& piece) {
  size_t count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

// What the page says about each class finding, decoded from its index and
// chunks: label, key, message and the labels of its attribute and child
// findings, in order. The search's attribute names and the verdict mask
// agree with the items.
std::vector<std::vector<std::string>> DecodedClasses(const std::string& page) {
  auto blocks = DataBlocks(page);
  json index = json::parse(blocks.at("zv-index"));
  json names = json::parse(blocks.at("zv-attribute-names"));
  EXPECT_EQ(names.size(), index["classes"].size());
  size_t per_chunk = index["chunkClasses"];
  std::vector<std::vector<std::string>> classes;
  for (size_t i = 0; i < index["classes"].size(); ++i) {
    const json& line = index["classes"][i];
    json entry = json::parse(blocks.at("zv-chunk-" + std::to_string(i / per_chunk)))[i % per_chunk];
    std::vector<std::string> decoded{line[2], line[3], entry[1]};
    std::string attribute_names;
    unsigned verdicts = 0;
    for (size_t n = 4; n < entry.size(); ++n) {
      decoded.push_back(entry[n][3]);  // item label
      verdicts |= 1u << entry[n][1].get<unsigned>();
      if (entry[n][0] == 0) {
        attribute_names +=
            entry[n][3].get<std::string>() + "\n" + entry[n][4].get<std::string>() + "\n";
      }
    }
    EXPECT_EQ(line[7], entry.size() - 4) << "item count of class " << i;
    EXPECT_EQ(line[8], verdicts) << "item verdicts of class " << i;
    EXPECT_EQ(names[i], attribute_names) << "attribute names of class " << i;
    classes.push_back(decoded);
  }
  return classes;
}

std::vector<std::vector<std::string>> ExpectedClasses(const std::vector<json>& records) {
  std::vector<std::vector<std::string>> classes;
  for (const json& record : records) {
    if (record["record"] == "class") {
      classes.push_back({record["class"]["label"], record["class"]["key"], record["message"]});
    } else if (record["record"] == "attribute") {
      classes.back().push_back(record["attribute"]["label"]);
    } else if (record["record"] == "child") {
      classes.back().push_back(record["child"]["label"]);
    }
  }
  return classes;
}

TEST(ExplorePageWriter, CarriesEveryFindingWhateverTheChunkSize) {
  const std::vector<json> records = SmallFindings();
  for (size_t per_chunk : {1, 2, 5, 256}) {
    ExplorePageOptions options;
    options.classes_per_chunk = per_chunk;
    const std::string page = PageOf(records, options);
    EXPECT_EQ(DecodedClasses(page), ExpectedClasses(records)) << per_chunk << " classes a chunk";
    json index = json::parse(DataBlocks(page).at("zv-index"));
    EXPECT_EQ(index["summary"], records.back());
    EXPECT_EQ(DataBlocks(page).size(), 2 + (13 + per_chunk - 1) / per_chunk);
  }
}

TEST(ExplorePageWriter, HostileNamesStayInsideTheirDataBlocks) {
  const std::string page = PageOf(SmallFindings());
  // The page's own elements only: the index, the script, the attribute
  // names and the chunk.
  EXPECT_EQ(Occurrences(page, "<script"), 4u);
  EXPECT_EQ(Occurrences(page, "</script"), 4u);
  EXPECT_EQ(Occurrences(page, "<!--"), 0u);
  EXPECT_EQ(Occurrences(page, "<img"), 0u);
  EXPECT_EQ(Occurrences(page, "\xE2\x80\xA8"), 0u);
  EXPECT_NE(page.find("\\u003c/script\\u003e\\u003cscript\\u003ewindow.__pwned=1"),
            std::string::npos);
}

TEST(ExplorePageWriter, ToleratesOddRecords) {
  std::vector<json> records = {
      {{"record", "attribute"}, {"verdict", "green"}, {"attribute", {{"label", "orphan"}}}},
      {{"record", "class"},
       {"verdict", "teal"},
       {"finding", 7},
       {"class", {{"label", std::string("bad \xFF\xFE utf-8")}, {"key", nullptr}}},
       {"row", {{"line", "x"}}},
       {"proposal", {{"mapping_rows", "not a list"}}}},
      {{"record", "mystery"}},
      {{"record", "child"}, {"child", {{"label", "kid"}}}},
  };
  std::string page;
  ASSERT_NO_THROW(page = PageOf(records));
  auto blocks = DataBlocks(page);
  json index = json::parse(blocks.at("zv-index"));
  ASSERT_EQ(index["classes"].size(), 1u);
  EXPECT_EQ(index["classes"][0][2], "bad \xEF\xBF\xBD\xEF\xBF\xBD utf-8");
  EXPECT_EQ(index["verdicts"][index["classes"][0][0].get<size_t>()], "teal");
  EXPECT_EQ(index["summary"], nullptr);
  EXPECT_EQ(json::parse(blocks.at("zv-chunk-0")),
            json::parse(R"([[null,"",[0,""],[null,[]],[1,6,13,"kid","",null]]])"));
}

TEST(ExplorePageWriter, EmptyRunStillMakesAPage) {
  const std::string page = PageOf({});
  EXPECT_EQ(DataBlocks(page).size(), 2u);
  EXPECT_EQ(json::parse(DataBlocks(page).at("zv-index"))["classes"], json::array());
  EXPECT_TRUE(page.ends_with("</html>\n"));
}

// Property: on any text, the escaped JSON holds none of the characters that
// could end or confuse a <script> element, and reads back as the text.
TEST(ScriptSafeJson, EscapesWhatCouldEndTheElementAndReadsBack) {
  const std::vector<std::string> pieces = {"<",
                                           ">",
                                           "&",
                                           "/",
                                           "!",
                                           "-",
                                           "\"",
                                           "\\",
                                           "script",
                                           "a",
                                           "\xE2\x80\xA8",
                                           "\xE2\x80\xA9",
                                           "\xC3\xA9",
                                           "\n",
                                           "\x01",
                                           "\xE2\x98\x83",
                                           "\xF0\x9F\x98\x80"};
  std::mt19937 random(1);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    for (int n = random() % 12; n > 0; --n) text += pieces[random() % pieces.size()];
    const std::string safe = ScriptSafeJson(json{{"k", text}, {"list", {text}}});
    EXPECT_EQ(safe.find_first_of("<>&"), std::string::npos) << safe;
    EXPECT_EQ(safe.find("\xE2\x80\xA8"), std::string::npos) << safe;
    EXPECT_EQ(safe.find("\xE2\x80\xA9"), std::string::npos) << safe;
    EXPECT_EQ(json::parse(safe), (json{{"k", text}, {"list", {text}}})) << safe;
  }
}

TEST(ReportLink, EncodesEachPathSegment) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plant_report.html", "plant_report.html"},
      {"../Reports/plant report.html", "../Reports/plant%20report.html"},
      {"/abs/a#b?c%d.html", "/abs/a%23b%3Fc%25d.html"},
      {"c:report.html", "c%3Areport.html"},
      {"r\xC3\xA9sum\xC3\xA9.html", "r%C3%A9sum%C3%A9.html"},
  };
  for (const auto& [path, href] : cases) EXPECT_EQ(EncodeReportPath(path), href) << path;
}

TEST(ExploreTemplate, HashesAreBase64AndThePolicyFetchesNothing) {
  EXPECT_EQ(HexToBase64(""), "");
  EXPECT_EQ(HexToBase64("66"), "Zg==");
  EXPECT_EQ(HexToBase64("666f"), "Zm8=");
  EXPECT_EQ(HexToBase64("666F6F"), "Zm9v");
  EXPECT_EQ(HexToBase64("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"),
            "47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU=");
  const std::string policy = ExploreContentSecurityPolicy();
  EXPECT_TRUE(policy.starts_with("default-src 'none'; ")) << policy;
  EXPECT_EQ(policy.find("unsafe"), std::string::npos) << policy;
  EXPECT_NE(PageOf({}).find("content=\"" + policy + "\""), std::string::npos);
}

}  // namespace
