// The page's requests read back: each member checked for its type, and a
// request that is not one refused with what is wrong.
#include "review/review_requests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ReviewRequests, ReadsADecisionOrSaysWhatIsWrong) {
  struct Case {
    const char* body;
    const char* problem;  // empty: read
    DecideRequest::Kind kind = DecideRequest::Kind::kOpen;
  };
  const std::vector<Case> cases = {
      {R"({"class":"PMP","target":{"key":"CentrifugalPump"},"showing":"PMP"})", "",
       DecideRequest::Kind::kTarget},
      {R"({"class":"PMP","attribute":{"key":"MPW","label":"Motor Power"},"target":{"class":"C","key":"Speed"}})",
       "", DecideRequest::Kind::kTarget},
      {R"({"class":"PMP","attribute":{"key":"","label":"Motor Power"},"typed":"speed","in":"C"})",
       "", DecideRequest::Kind::kTyped},
      {R"({"class":"STR","no_mapping":true})", "", DecideRequest::Kind::kNoMapping},
      {R"({"class":"STR","open":true})", "", DecideRequest::Kind::kOpen},
      {"", "the request is not JSON"},
      {"[1,2]", "the request is not a JSON object"},
      {R"({"target":{"key":"X"}})", "the request names no class key"},
      {R"({"class":7,"open":true})", "the request names no class key"},
      {R"({"class":"A","path":"/etc/passwd","open":true})",
       "the request has a member 'path' it does not take"},
      {R"({"class":"A"})",
       "the request decides one of: a target, a typed text, no_mapping or open"},
      {R"({"class":"A","open":true,"no_mapping":true})",
       "the request decides one of: a target, a typed text, no_mapping or open"},
      {R"({"class":"A","no_mapping":false})", "the request's no_mapping is not true"},
      {R"({"class":"A","typed":3})", "the request's typed is not a string"},
      {R"({"class":"A","target":{"class":"C","key":"K"}})", "a class's target is its key alone"},
      {R"({"class":"A","attribute":{"key":"K","label":"L"},"target":{"key":"K"}})",
       "an attribute's target is its class's key and its own key"},
      {R"({"class":"A","attribute":{"key":"K"},"open":true})",
       "the request's attribute needs its key and its label, as strings"},
      {R"({"class":"A","attribute":"K","open":true})", "the request's attribute is not an object"},
      {R"({"class":"A","target":{"key":"K"},"in":"C"})",
       "the request has a target and a class to look in: give one"},
  };
  for (const Case& c : cases) {
    std::string problem;
    const std::optional<DecideRequest> request = ReadDecideRequest(c.body, problem);
    EXPECT_EQ(problem, c.problem) << c.body;
    EXPECT_EQ(request.has_value(), std::string(c.problem).empty()) << c.body;
    if (request) {
      EXPECT_EQ(request->kind, c.kind) << c.body;
    }
  }
  std::string problem;
  const auto typed = ReadDecideRequest(
      R"({"class":"PMP","attribute":{"key":"","label":"Motor Power"},"typed":"speed","in":"C","showing":"PMP"})",
      problem);
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->item.attribute_label, "Motor Power");
  EXPECT_EQ(typed->typed, "speed");
  EXPECT_EQ(typed->target_class, "C");
  EXPECT_EQ(typed->showing, "PMP");
}

TEST(ReviewRequests, ReadsAnApplyOnlyWithTableLines) {
  std::string problem;
  const auto apply = ReadApplyRequest(R"({"preview":"1-2","retarget":[11,3]})", problem);
  ASSERT_TRUE(apply) << problem;
  EXPECT_EQ(apply->retargets, (std::vector<long>{11, 3}));
  for (const char* body : {R"({"retarget":["11"]})", R"({"retarget":[0]})", R"({"retarget":[1.5]})",
                           R"({"retarget":11})", R"({"retarget":[1e300]})", R"({"preview":1})"}) {
    EXPECT_FALSE(ReadApplyRequest(body, problem)) << body;
  }
  EXPECT_TRUE(ReadShowingRequest("{}", problem));
  EXPECT_FALSE(ReadShowingRequest(R"({"showing":null})", problem));
  EXPECT_TRUE(ReadAcceptToolsRequest(R"({"class":"STR"})", problem));
  EXPECT_FALSE(ReadAcceptToolsRequest(R"({"class":"STR","all":true})", problem));
}

}  // namespace
