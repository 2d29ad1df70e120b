// The arguments of a SARIF result's message: which of its rule's messages
// it takes (SarifRule::messages) and the names that fill its places.
#ifndef ZOR_OUTPUT_SARIF_MESSAGES_H_
#define ZOR_OUTPUT_SARIF_MESSAGES_H_

#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"

struct SarifMessage {
  std::string_view id = "default";
  std::vector<std::string_view> arguments;  // views into what the message is made of
};

// The message of `finding`, a finding of `batch`'s class, into `message`
// (whose vector is reused from one result to the next).
void FindingMessage(const ClassFindings& batch, const Finding& finding, bool v5v5,
                    SarifMessage& message);

// A hazard's one argument, its message with a capital first letter, as the
// rule's sentence begins with it.
std::string HazardArgument(const Hazard& hazard);

// A message of an earlier run as the argument of the message of a result
// gone since then: without its closing full stop, which the rule's sentence
// gives.
std::string_view GoneArgument(std::string_view message);

#endif  // ZOR_OUTPUT_SARIF_MESSAGES_H_
