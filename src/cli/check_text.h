// The terminal form of `zorvez check`: counts per verdict, then the classes
// that need work grouped by verdict, each with its attribute findings. A
// finding decided by a table row starts "TABLE:LINE:", as compilers write
// locations, so that editors and CI annotations can jump to the row.
#ifndef ZOR_CLI_CHECK_TEXT_H_
#define ZOR_CLI_CHECK_TEXT_H_

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/verdict_set.h"
#include "compare/finding.h"
#include "output/finding_names.h"

class CheckTextRenderer : public FindingSink {
 public:
  CheckTextRenderer(std::string table_path, VerdictSet shown, bool v5v5, bool colour)
      : tablePath_(std::move(table_path)), shown_(shown), v5v5_(v5v5), colour_(colour) {}

  void Accept(const ClassFindings& batch) override;
  void Write(std::ostream& out, const ComparisonTotals& totals) const;

 private:
  struct ClassEntry {
    Verdict verdict;
    std::string line;
    std::vector<std::string> details;  // its attribute findings and child warnings
  };

  std::string Located(const ClassFindings& batch, const Finding& finding) const;
  std::string Painted(Verdict verdict, const std::string& text) const;

  std::string tablePath_;
  VerdictSet shown_;
  bool v5v5_;
  bool colour_;
  std::array<long, kVerdictCount> classVerdicts_{};
  std::vector<ClassEntry> classes_;
  // Findings with a shown verdict under a class line whose verdict is not
  // shown, listed under their own verdict.
  std::array<std::vector<std::string>, kVerdictCount> strayFindings_;
};

#endif  // ZOR_CLI_CHECK_TEXT_H_
