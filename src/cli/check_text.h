// The terminal form of `zorvez check`. Two count lines say what the run
// found: the classes and their class findings per verdict (a class can have
// two), then the attribute findings per verdict. Then, for each listed
// verdict, the class findings of that verdict, each with all its class's
// attribute findings, and the attribute findings of that verdict whose class
// is not listed. A finding decided by a table row starts "TABLE:LINE:", as
// compilers write locations, so that editors and CI annotations can jump to
// the row. Grey is the verdict of attributes that no row mentions; a class
// never has it. With a baseline, a listed finding it lacks ends "[new]".
#ifndef ZOR_CLI_CHECK_TEXT_H_
#define ZOR_CLI_CHECK_TEXT_H_

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/verdict_set.h"
#include "compare/finding.h"
#include "output/finding_names.h"
#include "output/finding_stamps.h"

class CheckTextRenderer : public FindingSink {
 public:
  // `stamps`, when given, has accepted each batch before this renderer does.
  CheckTextRenderer(std::string table_path, VerdictSet listed, bool v5v5, bool colour,
                    const FindingStamps* stamps = nullptr)
      : table_path_(std::move(table_path)),
        listed_(listed),
        v5v5_(v5v5),
        colour_(colour),
        stamps_(stamps) {}

  void Accept(const ClassFindings& batch) override;
  void Write(std::ostream& out, const ComparisonTotals& totals) const;

 private:
  using PerVerdict = std::array<long, kVerdictCount>;
  struct ClassEntry {
    Verdict verdict;
    std::string line;
    std::vector<std::string> details;  // its attribute findings and child warnings
  };
  // Findings of a listed verdict whose class line is not listed.
  struct OtherFindings {
    std::vector<std::string> lines;
    long attributes = 0;
    long children = 0;
  };

  std::string Located(const ClassFindings& batch, size_t index) const;
  std::string Painted(Verdict verdict, const std::string& text) const;
  // Only attributes are grey: the class counts leave it out, the attribute
  // counts show it when there is one.
  std::string VerdictCounts(const PerVerdict& counts, bool with_grey) const;
  void WriteCounts(std::ostream& out, const ComparisonTotals& totals) const;
  void WriteList(std::ostream& out, Verdict verdict) const;

  std::string table_path_;
  VerdictSet listed_;
  bool v5v5_;
  bool colour_;
  const FindingStamps* stamps_;
  PerVerdict class_findings_{};
  PerVerdict attribute_findings_{};
  long child_findings_ = 0;
  std::vector<ClassEntry> classes_;
  std::array<OtherFindings, kVerdictCount> others_;
};

#endif  // ZOR_CLI_CHECK_TEXT_H_
