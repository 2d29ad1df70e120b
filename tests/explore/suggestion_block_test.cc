#include "explore/suggestion_block.h"

#include <gtest/gtest.h>

#include <sstream>

#include "explore/explore_page_writer.h"
#include "suggestion_run/row_plan.h"

#ifdef ZOR_WITH_RECORD_READER
#include "bench/suggestion_record_reader.h"

namespace {

using nlohmann::json;

// A record as suggest writes it, into the block as the page tool reads it;
// one of another kind is none.
void Add(SuggestionBlock& block, const std::string& text) {
  if (std::optional<SuggestionRecord> record = ReadSuggestionRecord(json::parse(text)))
    block.Add(*record);
}

std::shared_ptr<NameStore> Names() {
  static const auto names = std::make_shared<NameStore>();
  return names;
}

SuggestClass Target(std::string key, std::string parent, std::vector<std::string> attributes) {
  NameStore& names = *Names();
  SuggestClass c;
  c.key = names.Keep(key);
  c.label = names.Keep("label of " + key);
  c.parent_key = names.Keep(parent);
  for (const std::string& a : attributes)
    c.attributes.push_back({names.Keep(a + " label"), names.Keep(a)});
  return c;
}

// The records group by source class in the order they come, the accepted
// candidate is found by position, scores keep three decimals, attributes
// travel only for candidate classes and their ancestors (a candidate's label
// is dropped where they hold it), a demoted candidate names the item or row
// that took its target, evidence words keep one code each and travel with
// their detail only where they have one, an item's own complete row travels
// with its text (without the columns the page knows, where it begins with
// them), tied candidates are counted, an accepted row not written keeps its
// why and suggest's note, what the rows of a source class and of each target class take
// travels where it says more than the names (explore/row_facts.h), and names
// cannot end the script element.
TEST(SuggestionBlock, CarriesItemsCandidatesAndTheTargetTheyNeed) {
  SuggestionBlock block;
  block.SetTarget(Names(),
                  {Target("Root", "", {"R"}), Target("V", "Root", {"VA"}), Target("Y", "V", {"MS"}),
                   Target("B", "V", {}), Target("Other", "Root", {"OA"})},
                  {{"Root", ""}, {"V row", "Root"}, {"Y", "V"}, {"B", "V"}, {"Other", "Root"}});
  SuggestDomains domains;
  domains.by_target_parent = {{"V", "EQT"}};
  domains.fallback = "GEN";
  block.SetDomains(std::move(domains));
  block.SetSourceRow("S1", {"S row", "P row", "Old"});
  Add(block, (R"({"record":"suggestion","for":"attribute","reason":"class_not_mapped",
    "class":{"label":"S","key":"S1","parent":"P"},"attribute":{"label":"Mesh","key":"M"},
    "row":{"line":9,"text":"S row,P row,Mesh,Old,Root,MS,"},
    "candidates":[{"class":"Y","key":"MS","label":"MS label","score":0.90000001,"evidence":["label","key"]},
                  {"class":"Y","key":"XX","label":"not carried","score":1,
                   "evidence":["lexicon: mesh ~ net","taken by another item"],
                   "taken_by":{"class":"S2","attribute":"Size"}}],
    "accepted":{"class":"Y","key":"MS"},"row_written":false,"why":"table_row_differs",
    "note":"t.csv:9: S row: Mesh: edit it"})"));
  Add(block, (R"({"record":"suggestion","for":"attribute","reason":"no_row",
    "class":{"label":"S","key":"S1","parent":"P"},"attribute":{"label":"Size","key":"Z"},
    "row":{"line":7,"text":"S,P,*,Yx,V,*,"},
    "candidates":[{"class":"Y","key":"MS","label":"MS label","score":0.5,"evidence":["lexicon: size ~ mesh"],"tied":true},
                  {"class":"B","key":"B1","label":"b","score":0.5,"evidence":["label"],"tied":true}],
    "accepted":null,"row_written":false,"why":"not_accepted"})"));
  Add(block, (R"({"record":"suggestion","for":"class","reason":"not_in_mapping_table",
    "class":{"label":"S","key":"S1","parent":"P"},"row":{"line":7,"text":"S,P,*,Yx,V,*,"},
    "candidates":[{"key":"B","label":"</script>","parent":"V","score":0.5,"evidence":["key"],
                   "taken_by":{"row":12}},
                  {"key":"Y","label":"Y","parent":"V","score":0.4,"evidence":["label"],"taken_by":{"class":"S3"}}],
    "accepted":"Y","row_written":false,"why":"merge_refuses","note":"S row: no"})"));
  Add(block, (R"({"record":"summary","classes":{"items":1,"accepted":1}})"));
  Add(block,
      (R"({"record":"suggestion","for":"class","class":{"key":"T"},"candidates":7,"accepted":3})"));
  std::string text = block.Json();
  EXPECT_EQ(text.find("</script>"), std::string::npos);
  json data = json::parse(text);

  EXPECT_EQ(data["evidence"], json::parse(R"(["label","key","lexicon","taken by another item"])"));
  EXPECT_EQ(data["reasons"], json::parse(R"(["class_not_mapped","no_row"])"));
  EXPECT_EQ(data["fates"], json::parse(R"(["table_row_differs","merge_refuses"])"));
  ASSERT_EQ(data["items"].size(), 2u);
  const json& item = data["items"][0];
  EXPECT_EQ(item[0], "S1");
  EXPECT_EQ(item[3], json::parse(R"(["not_in_mapping_table",[7,"S,P,*,Yx,V,*,",1],
    [["B","</script>","V",0.5,2,12],["Y","Y","V",0.4,1,"S3"]],1,0,[1,"S row: no"]])"));
  EXPECT_EQ(item[5], "S row");
  EXPECT_EQ(item[7], "Old");
  EXPECT_EQ(item[8], json::parse(R"({"d":"GEN,","m":"S row,P row,*,No Mapping,,*,GEN,"})"));
  EXPECT_EQ(item[4], json::parse(R"([
    ["Mesh","M",0,[9,"Old,Root,MS,"],
     [["Y",0,0.9,3],["","XX",1.0,[12,"lexicon: mesh ~ net"],"not carried",["S2","Size"]]],0,0,
     [0,"t.csv:9: S row: Mesh: edit it"]],
    ["Size","Z",1,7,[["Y",0,0.5,[4,"lexicon: size ~ mesh"]],["B","B1",0.5,1,"b"]],-1,2]])"));
  EXPECT_EQ(data["items"][1], json::parse(R"(["T","","",["",null,[],-1],[],"","","",
    {"n":"an empty name or parent, which no table row can hold: give it one in its dictionary",
     "d":"GEN,"}])"));

  EXPECT_EQ(data["targets"].size(), 5u);
  EXPECT_EQ(data["targets"][1], json::parse(R"(["V","label of V","Root",{"t":"V row,Root,"}])"));
  EXPECT_EQ(data["targets"][2], json::parse(R"(["Y","label of Y","V",{"d":"EQT,"}])"));
  EXPECT_EQ(data["targets"][3][3]["r"].get<std::string>().substr(0, 17), "B.\x01 is out of any");
  EXPECT_EQ(data["classFirst"], FateWords(RowFate::kClassNotPlaced));
  EXPECT_EQ(data["rowKeys"], json::object());
  EXPECT_EQ(data["keyNotes"], json::object());
  std::vector<std::string> carried;
  for (const auto& [key, attributes] : data["attributes"].items()) carried.push_back(key);
  EXPECT_EQ(carried, (std::vector<std::string>{"B", "Root", "V", "Y"}));
  EXPECT_FALSE(data.contains("domains"));
}

// A page is written with the block only when there are suggestions, and the
// summary of suggest does not take the place of the comparison's.
TEST(SuggestionBlock, PageHoldsItOnlyWithSuggestions) {
  for (bool suggestions : {false, true}) {
    std::ostringstream page;
    ExplorePageWriter writer(page, {});
    writer.Add(json::parse(R"({"record":"summary","classes":3})"));
    if (suggestions) {
      Add(writer.Suggestions(),
          R"({"record":"suggestion","for":"class","class":{"key":"K"},"candidates":[],"accepted":null})");
    }
    writer.Add(json::parse(R"({"record":"summary","classes":{"items":1,"accepted":0}})"));
    writer.Finish();
    EXPECT_EQ(page.str().find("id=\"zv-suggest\"") != std::string::npos, suggestions);
    EXPECT_NE(page.str().find("\"summary\":{\"classes\":3,\"record\":\"summary\"}"),
              std::string::npos);
  }
}

}  // namespace

#endif  // ZOR_WITH_RECORD_READER
