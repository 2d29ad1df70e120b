// Findings as JSON records, the form `zorvez check --format jsonl` prints
// and the explorer page embeds; doc/findings.md describes them. Classes the
// report lists in its closing section come after all others, as there.
#ifndef ZOR_OUTPUT_JSON_RECORDS_H_
#define ZOR_OUTPUT_JSON_RECORDS_H_

#include <array>
#include <functional>
#include <vector>

#include <nlohmann/json.hpp>

#include "compare/finding.h"

const char* VerdictName(Verdict verdict);
const char* FindingKindName(FindingKind kind);

class JsonRecordRenderer : public FindingSink {
 public:
  using Visitor = std::function<void(const nlohmann::json& record)>;

  JsonRecordRenderer(Visitor visit, bool v5v5) : visit_(std::move(visit)), v5v5_(v5v5) {}
  void Accept(const ClassFindings& batch) override;
  // Hands over the held-back records and the summary record.
  void Finish(const ComparisonTotals& totals);

 private:
  void Count(const nlohmann::json& record);

  Visitor visit_;
  bool v5v5_;
  std::vector<nlohmann::json> closingSection_;
  std::array<long, 5> classVerdicts_{};
};

#endif  // ZOR_OUTPUT_JSON_RECORDS_H_
