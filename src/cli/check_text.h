// The terminal form of `zorvez check`. Two count lines say what the run
// found: the classes and their class findings per verdict (a class can have
// two), then the attribute findings per verdict; a third the hazards, when
// there are any. Then the hazards, each as compilers write a diagnostic,
// and, for each listed verdict, the class findings of that verdict, each
// with all its class's attribute findings, and the attribute findings of
// that verdict whose class is not listed. A finding decided by a table row
// starts "TABLE:LINE:", as compilers write locations, so that editors and
// CI annotations can jump to the row. Grey is the verdict of attributes
// that no row mentions; a class never has it.
//
// With a baseline, the text lists what is new (the hazards and the
// findings of listed verdicts the baseline lacks) and counts the rest, or,
// with every finding listed (--verbose), ends each new one with "[new]";
// either way it names the findings gone since, where they were.
#ifndef ZOR_CLI_CHECK_TEXT_H_
#define ZOR_CLI_CHECK_TEXT_H_

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/verdict_set.h"
#include "compare/finding.h"
#include "lint/hazard.h"
#include "output/finding_names.h"
#include "output/finding_stamps.h"
#include "output/gone_findings.h"

class CheckTextRenderer : public FindingSink {
 public:
  struct Settings {
    std::string table_path;
    std::string source_path;
    VerdictSet listed;
    bool v5v5 = false;
    bool colour = false;
    bool only_new = false;  // with a baseline: list the new findings alone
  };

  // `stamps`, when given, has accepted each batch before this renderer does.
  CheckTextRenderer(Settings settings, const FindingStamps* stamps = nullptr)
      : settings_(std::move(settings)), stamps_(stamps) {}

  void Accept(const ClassFindings& batch) override;
  void AcceptHazard(const Hazard& hazard, const FindingStamp& stamp);
  // A finding gone since the baseline, found at `where` ("PATH:LINE", or
  // empty when the baseline does not say).
  void AcceptGone(const GoneFinding& gone, std::string_view where);
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

  bool IsNew(size_t index) const;
  std::string Located(const ClassFindings& batch, size_t index) const;
  std::string Painted(Verdict verdict, const std::string& text) const;
  std::string Tagged(Verdict verdict) const;
  void ListNew(const ClassFindings& batch, size_t index, Verdict class_verdict);
  // Only attributes are grey: the class counts leave it out, the attribute
  // counts show it when there is one.
  std::string VerdictCounts(const PerVerdict& counts, bool with_grey) const;
  void WriteCounts(std::ostream& out, const ComparisonTotals& totals) const;
  void WriteList(std::ostream& out, Verdict verdict) const;
  static void WriteSection(std::ostream& out, std::string_view heading,
                           const std::vector<std::string>& lines);
  void WriteMarkupAdvice(std::ostream& out) const;

  Settings settings_;
  const FindingStamps* stamps_;
  PerVerdict class_findings_{};
  PerVerdict attribute_findings_{};
  long child_findings_ = 0;
  std::vector<ClassEntry> classes_;
  std::array<OtherFindings, kVerdictCount> others_;
  long hazard_count_ = 0;
  std::vector<std::string> hazards_;       // listed, unless only the new ones are
  bool markup_ = false;                    // a name holding markup is among them
  std::vector<std::string> new_findings_;  // only_new: the hazards and findings to list
  std::vector<std::string> gone_;
};

#endif  // ZOR_CLI_CHECK_TEXT_H_
