#include "cli/check_text.h"

#include "output/finding_lines.h"
#include "output/finding_names.h"

namespace {

constexpr Verdict kListOrder[] = {Verdict::kRed,    Verdict::kBlue,  Verdict::kPurple,
                                  Verdict::kOrange, Verdict::kGreen, Verdict::kGrey};

const char* ColourCode(Verdict verdict) {
  switch (verdict) {
    case Verdict::kRed:
      return "\033[31m";
    case Verdict::kBlue:
      return "\033[34m";
    case Verdict::kPurple:
      return "\033[35m";
    case Verdict::kOrange:
      return "\033[33m";
    case Verdict::kGreen:
      return "\033[32m";
    case Verdict::kGrey:
      return "\033[90m";
  }
  return "";
}

// Terminal text never carries the control characters a name may hold.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

std::string Counted(long count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string CheckTextRenderer::Painted(Verdict verdict, const std::string& text) const {
  if (!colour_) return text;
  return ColourCode(verdict) + text + "\033[0m";
}

std::string CheckTextRenderer::Located(const ClassFindings& batch, size_t index) const {
  const Finding& finding = batch.findings[index];
  std::string line;
  if (finding.row) line = table_path_ + ":" + std::to_string(finding.row->line) + ": ";
  line += Printable(LineOf(batch, finding, v5v5_, LineForm::kPlain).Text());
  if (stamps_ && stamps_->Of(index).state == BaselineState::kNew) line += " [new]";
  return line;
}

void CheckTextRenderer::Accept(const ClassFindings& batch) {
  ClassEntry* owner = nullptr;
  for (size_t index = 0; index < batch.findings.size(); ++index) {
    const Finding& finding = batch.findings[index];
    const size_t verdict = static_cast<size_t>(finding.verdict);
    if (finding.subject == FindingSubject::kClass) {
      class_findings_[verdict] += 1;
      classes_.push_back({finding.verdict, "", {}});
      owner = &classes_.back();
      if (listed_.Has(finding.verdict)) owner->line = Located(batch, index);
      continue;
    }
    bool attribute = finding.subject == FindingSubject::kAttribute;
    (attribute ? attribute_findings_[verdict] : child_findings_) += 1;
    if (owner == nullptr) continue;
    if (listed_.Has(owner->verdict)) {
      std::string detail(1, '[');
      detail += Painted(finding.verdict, VerdictName(finding.verdict));
      detail += "] ";
      detail += Located(batch, index);
      owner->details.push_back(std::move(detail));
    } else if (listed_.Has(finding.verdict)) {
      OtherFindings& others = others_[verdict];
      others.lines.push_back(Printable(batch.label + " (" + batch.key + "), ") +
                             VerdictName(owner->verdict) + " class: " + Located(batch, index));
      (attribute ? others.attributes : others.children) += 1;
    }
  }
}

std::string CheckTextRenderer::VerdictCounts(const PerVerdict& counts, bool with_grey) const {
  std::string text;
  for (Verdict verdict : kListOrder) {
    const long count = counts[static_cast<size_t>(verdict)];
    if (verdict == Verdict::kGrey && (!with_grey || count == 0)) continue;
    if (!text.empty()) text += ", ";
    text += Painted(verdict, std::to_string(count) + " " + VerdictName(verdict));
  }
  return text;
}

void CheckTextRenderer::WriteCounts(std::ostream& out, const ComparisonTotals& totals) const {
  long class_findings = 0, attribute_findings = 0;
  for (long count : class_findings_) class_findings += count;
  for (long count : attribute_findings_) attribute_findings += count;
  out << Counted(totals.total_classes, "class", "classes") << ", "
      << Counted(class_findings, "class finding", "class findings");
  if (class_findings > totals.total_classes) out << " (a class can have two)";
  out << ": " << VerdictCounts(class_findings_, false) << '\n'
      << Counted(attribute_findings, "attribute finding", "attribute findings") << ": "
      << VerdictCounts(attribute_findings_, true);
  if (child_findings_ > 0) {
    out << "; " << Counted(child_findings_, "child finding", "child findings");
  }
  out << "\nnew classes suggested: " << totals.new_classes_suggested
      << ", classes requested unmapped: " << totals.unmapped_requested << '\n';
}

void CheckTextRenderer::WriteList(std::ostream& out, Verdict verdict) const {
  const size_t index = static_cast<size_t>(verdict);
  const std::string name = Painted(verdict, VerdictName(verdict));
  if (class_findings_[index] > 0) {
    out << '\n' << name << " class findings (" << class_findings_[index] << "):\n";
    for (const ClassEntry& entry : classes_) {
      if (entry.verdict != verdict) continue;
      out << "  " << entry.line << '\n';
      for (const std::string& detail : entry.details) out << "      " << detail << '\n';
    }
  }
  const OtherFindings& others = others_[index];
  if (others.lines.empty()) return;
  const char* what = others.children == 0     ? "attribute"
                     : others.attributes == 0 ? "child"
                                              : "attribute and child";
  out << '\n'
      << name << ' ' << what << " findings of classes not listed (" << others.lines.size()
      << "):\n";
  for (const std::string& line : others.lines) out << "  " << line << '\n';
}

void CheckTextRenderer::Write(std::ostream& out, const ComparisonTotals& totals) const {
  WriteCounts(out, totals);
  for (Verdict verdict : kListOrder) {
    if (listed_.Has(verdict)) WriteList(out, verdict);
  }
}
