// What the review's page asks of its server, read from a request's JSON
// body: every member checked for its type, a request that is not one
// refused with what is wrong, never taken for another.
#ifndef ZOR_REVIEW_REVIEW_REQUESTS_H_
#define ZOR_REVIEW_REVIEW_REQUESTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An item as the page names it: its class's key, and for an attribute item
// the attribute's key and label.
struct ItemName {
  std::string class_key;
  bool for_attribute = false;
  std::string attribute_key;
  std::string attribute_label;
};

// A decision asked for. Exactly one of: a target (a class key; for an
// attribute, a class key and an attribute key), a text typed to find one,
// No Mapping, or open (the decision taken back).
struct DecideRequest {
  ItemName item;
  enum class Kind { kTarget, kTyped, kNoMapping, kOpen } kind = Kind::kOpen;
  std::string
      target_class;        // an attribute's target class, or where a typed attribute is looked for
  std::string target_key;  // a class's target class key, or an attribute's key
  std::string typed;
  std::string showing;  // the class the page shows, whose review the answer carries
};

struct AcceptToolsRequest {
  std::string class_key;  // empty: every class
  std::string showing;
};

struct ApplyRequest {
  std::vector<long> retargets;  // the table lines whose replacement was confirmed
  std::string preview;          // the preview confirmed, by its hash
};

// Each returns the request, or empty with why in `problem`.
std::optional<DecideRequest> ReadDecideRequest(std::string_view body, std::string& problem);
std::optional<AcceptToolsRequest> ReadAcceptToolsRequest(std::string_view body,
                                                         std::string& problem);
std::optional<ApplyRequest> ReadApplyRequest(std::string_view body, std::string& problem);
// A body that carries only where the page is: {"showing": KEY} or {}.
std::optional<std::string> ReadShowingRequest(std::string_view body, std::string& problem);

#endif  // ZOR_REVIEW_REVIEW_REQUESTS_H_
