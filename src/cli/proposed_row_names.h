// The names that the defined run's proposed mapping rows hold and that no
// row of the table can hold (a comma or a line end, NoRowCanHold): such rows
// can never be completed as written, since the table reader splits rows
// there. zorvez check warns of them.
#ifndef ZOR_CLI_PROPOSED_ROW_NAMES_H_
#define ZOR_CLI_PROPOSED_ROW_NAMES_H_

#include <string>
#include <vector>

#include "compare/finding.h"

class ProposedRowNames : public FindingSink {
 public:
  // `source_path` names the dictionary to migrate in the messages.
  explicit ProposedRowNames(std::string source_path) : source_path_(std::move(source_path)) {}

  void Accept(const ClassFindings& batch) override;

  // One message per name and class, "FILE:LINE: warning: ..." without the
  // "zorvez: " prefix.
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::string source_path_;
  std::vector<std::string> messages_;
};

#endif  // ZOR_CLI_PROPOSED_ROW_NAMES_H_
