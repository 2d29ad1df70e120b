#include "cli/check_text.h"

#include "output/finding_lines.h"
#include "output/finding_names.h"
#include "output/hazard_lines.h"
#include "output/sarif_rules.h"

namespace {

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

std::string WithoutLineEnd(std::string line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

}  // namespace

std::string CheckTextRenderer::Painted(Verdict verdict, const std::string& text) const {
  if (!settings_.colour) return text;
  return ColourCode(verdict) + text + "\033[0m";
}

std::string CheckTextRenderer::Tagged(Verdict verdict) const {
  std::string tag(1, '[');  // appended piece by piece: GCC 12 misjudges "[" + string
  tag += Painted(verdict, VerdictName(verdict));
  tag += "] ";
  return tag;
}

bool CheckTextRenderer::IsNew(size_t index) const {
  return stamps_ && stamps_->Of(index).state == BaselineState::kNew;
}

std::string CheckTextRenderer::Located(const ClassFindings& batch, size_t index) const {
  const Finding& finding = batch.findings[index];
  std::string line;
  if (finding.row) line = settings_.table_path + ":" + std::to_string(finding.row->line) + ": ";
  line += Printable(LineOf(batch, finding, settings_.v5v5, LineForm::kPlain).Text());
  if (!settings_.only_new && IsNew(index)) line += " [new]";
  return line;
}

// A new finding of a listed verdict, on a line of its own: an attribute or
// child finding names its class.
void CheckTextRenderer::ListNew(const ClassFindings& batch, size_t index, Verdict class_verdict) {
  const Finding& finding = batch.findings[index];
  if (!IsNew(index) || !settings_.listed.Has(finding.verdict)) return;
  std::string line = Tagged(finding.verdict);
  if (finding.subject != FindingSubject::kClass) {
    line +=
        Printable(batch.label + " (" + batch.key + "), ") + VerdictName(class_verdict) + " class: ";
  }
  new_findings_.push_back(line + Located(batch, index));
}

void CheckTextRenderer::Accept(const ClassFindings& batch) {
  ClassEntry* owner = nullptr;
  Verdict class_verdict = Verdict::kGreen;
  for (size_t index = 0; index < batch.findings.size(); ++index) {
    const Finding& finding = batch.findings[index];
    const size_t verdict = static_cast<size_t>(finding.verdict);
    const bool listed = settings_.listed.Has(finding.verdict);
    if (finding.subject == FindingSubject::kClass) {
      class_findings_[verdict] += 1;
      class_verdict = finding.verdict;
      if (settings_.only_new) {
        ListNew(batch, index, class_verdict);
        continue;
      }
      classes_.push_back({finding.verdict, "", {}});
      owner = &classes_.back();
      if (listed) owner->line = Located(batch, index);
      continue;
    }
    bool attribute = finding.subject == FindingSubject::kAttribute;
    (attribute ? attribute_findings_[verdict] : child_findings_) += 1;
    if (settings_.only_new) ListNew(batch, index, class_verdict);
    if (owner == nullptr) continue;
    if (settings_.listed.Has(owner->verdict)) {
      owner->details.push_back(Tagged(finding.verdict) + Located(batch, index));
    } else if (listed) {
      OtherFindings& others = others_[verdict];
      others.lines.push_back(Printable(batch.label + " (" + batch.key + "), ") +
                             VerdictName(owner->verdict) + " class: " + Located(batch, index));
      (attribute ? others.attributes : others.children) += 1;
    }
  }
}

void CheckTextRenderer::AcceptHazard(const Hazard& hazard, const FindingStamp& stamp) {
  const bool is_new = stamp.state == BaselineState::kNew;
  hazard_count_ += 1;
  markup_ = markup_ || hazard.code == HazardCode::kMarkupName;
  std::string line = Printable(WithoutLineEnd(
      HazardTextLine(HazardPath(hazard, settings_.table_path, settings_.source_path), hazard)));
  if (settings_.only_new) {
    if (is_new) new_findings_.push_back(std::move(line));
    return;
  }
  if (is_new) line += " [new]";
  hazards_.push_back(std::move(line));
}

void CheckTextRenderer::AcceptGone(const GoneFinding& gone, std::string_view where) {
  std::optional<size_t> rule = SarifRuleNamed(gone.rule);
  if (!rule) return;
  const SarifRule& described = SarifRules()[*rule];
  std::string line;
  if (described.hazard) {
    line = "[hazard] ";
  } else {
    const Verdict verdict = VerdictNamed(gone.verdict).value_or(described.verdict);
    if (!settings_.listed.Has(verdict)) return;
    line = Tagged(verdict);
  }
  if (!where.empty()) line += Printable(std::string(where)) + ": ";
  line += Printable(gone.message);
  if (described.hazard) line += std::string(" [") + described.finding + "]";
  gone_.push_back(std::move(line));
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
  if (hazard_count_ > 0) {
    out << Counted(hazard_count_, "hazard", "hazards")
        << " (rows read otherwise than written or never read, rows that take another class's "
           "exact label, names holding markup)\n";
  }
}

void CheckTextRenderer::WriteSection(std::ostream& out, std::string_view heading,
                                     const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  out << '\n' << heading << " (" << lines.size() << "):\n";
  for (const std::string& line : lines) out << "  " << line << '\n';
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

// What to do about a report that would show markup, once, under the
// hazards.
void CheckTextRenderer::WriteMarkupAdvice(std::ostream& out) const {
  if (!markup_) return;
  out << "  (the defined report of this run writes names as HTML: open it in a browser only "
         "through 'zorvez explore', which shows names as text)\n";
}

void CheckTextRenderer::Write(std::ostream& out, const ComparisonTotals& totals) const {
  WriteCounts(out, totals);
  if (settings_.only_new) {
    WriteSection(out, "new findings", new_findings_);
  } else {
    WriteSection(out, "hazards", hazards_);
    WriteMarkupAdvice(out);
    for (Verdict verdict : kListOrder) {
      if (settings_.listed.Has(verdict)) WriteList(out, verdict);
    }
  }
  WriteSection(out, "gone since the baseline", gone_);
}
