#include "compare/finding.h"

void ClassFindings::Clear() {
  label.clear();
  key.clear();
  parent.clear();
  source_line = 0;
  findings.clear();
  ddl.reset();
  mapping_rows.clear();
}

Finding& ClassFindings::Add(FindingSubject subject, Verdict verdict, FindingKind kind) {
  Finding& finding = findings.emplace_back();
  finding.subject = subject;
  finding.verdict = verdict;
  finding.kind = kind;
  return finding;
}
