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

}  // namespace

std::string CheckTextRenderer::Painted(Verdict verdict, const std::string& text) const {
  if (!colour_) return text;
  return ColourCode(verdict) + text + "\033[0m";
}

std::string CheckTextRenderer::Located(const ClassFindings& batch, const Finding& finding) const {
  std::string line;
  if (finding.row) line = tablePath_ + ":" + std::to_string(finding.row->line) + ": ";
  return line + Printable(LineOf(batch, finding, v5v5_, LineForm::kPlain).Text());
}

void CheckTextRenderer::Accept(const ClassFindings& batch) {
  ClassEntry* owner = nullptr;
  for (const Finding& finding : batch.findings) {
    if (finding.subject == FindingSubject::kClass) {
      classVerdicts_[static_cast<size_t>(finding.verdict)] += 1;
      classes_.push_back({finding.verdict, "", {}});
      owner = &classes_.back();
      if (shown_.Has(finding.verdict)) owner->line = Located(batch, finding);
      continue;
    }
    if (owner == nullptr) continue;
    if (shown_.Has(owner->verdict)) {
      std::string detail(1, '[');
      detail += Painted(finding.verdict, VerdictName(finding.verdict));
      detail += "] ";
      detail += Located(batch, finding);
      owner->details.push_back(std::move(detail));
    } else if (shown_.Has(finding.verdict)) {
      strayFindings_[static_cast<size_t>(finding.verdict)].push_back(
          Printable(batch.label + " (" + batch.key + "): ") + Located(batch, finding));
    }
  }
}

void CheckTextRenderer::Write(std::ostream& out, const ComparisonTotals& totals) const {
  out << totals.totalClasses << " classes:";
  const char* separator = " ";
  for (Verdict verdict : kListOrder) {
    if (verdict == Verdict::kGrey) continue;  // never a class's
    out << separator
        << Painted(verdict, std::to_string(classVerdicts_[static_cast<size_t>(verdict)]) + " " +
                                VerdictName(verdict));
    separator = ", ";
  }
  out << "\nnew classes suggested: " << totals.newClassesSuggested
      << ", requested unmapped: " << totals.unmappedRequested;
  if (totals.attributesWithoutRow > 0) out << ", attributes with no row: " << totals.attributesWithoutRow;
  out << '\n';
  for (Verdict verdict : kListOrder) {
    if (!shown_.Has(verdict)) continue;
    const std::vector<std::string>& stray = strayFindings_[static_cast<size_t>(verdict)];
    long count = classVerdicts_[static_cast<size_t>(verdict)];
    if (count == 0 && stray.empty()) continue;
    out << '\n' << Painted(verdict, VerdictName(verdict)) << " (";
    if (verdict == Verdict::kGrey) {
      out << stray.size() << (stray.size() == 1 ? " attribute" : " attributes") << " with no row):\n";
    } else {
      out << count << (count == 1 ? " class" : " classes") << "):\n";
    }
    for (const ClassEntry& entry : classes_) {
      if (entry.verdict != verdict) continue;
      out << "  " << entry.line << '\n';
      for (const std::string& detail : entry.details) out << "      " << detail << '\n';
    }
    for (const std::string& finding : stray) out << "  " << finding << '\n';
  }
}
