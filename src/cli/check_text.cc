#include "cli/check_text.h"

namespace {

constexpr const char* kVerdictOrder[] = {"red", "blue", "purple", "orange", "green"};

const char* ColourCode(const std::string& verdict) {
  if (verdict == "red") return "\033[31m";
  if (verdict == "blue") return "\033[34m";
  if (verdict == "purple") return "\033[35m";
  if (verdict == "orange") return "\033[33m";
  return "\033[32m";
}

std::string Text(const nlohmann::json& value) {
  return value.is_string() ? value.get<std::string>() : std::string();
}

// Terminal text never carries the control characters a name may hold.
std::string Printable(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  return text;
}

}  // namespace

std::string CheckTextRenderer::Painted(const std::string& verdict, const std::string& text) const {
  if (!colour_) return text;
  return ColourCode(verdict) + text + "\033[0m";
}

std::string CheckTextRenderer::Located(const nlohmann::json& record) const {
  std::string line;
  if (record.contains("row")) {
    line = tablePath_ + ":" + std::to_string(record["row"]["line"].get<long>()) + ": ";
  }
  return line + Printable(Text(record["message"]));
}

void CheckTextRenderer::Add(const nlohmann::json& record) {
  std::string kind = Text(record["record"]);
  if (kind == "summary") {
    summary_ = record;
    return;
  }
  std::string verdict = Text(record["verdict"]);
  if (kind == "class") {
    classes_.push_back({verdict, Located(record), {}});
    return;
  }
  if (classes_.empty()) return;
  ClassEntry& owner = classes_.back();
  if (shown_.count(owner.verdict) != 0) {
    owner.details.push_back("[" + Painted(verdict, verdict) + "] " + Located(record));
  }
  if (shown_.count(verdict) != 0 && shown_.count(owner.verdict) == 0) {
    const nlohmann::json& names = record["class"];
    strayFindings_[verdict].push_back(Printable(Text(names["label"]) + " (" + Text(names["key"]) +
                                                "): ") +
                                      Located(record));
  }
}

void CheckTextRenderer::Write(std::ostream& out) const {
  if (summary_.is_object()) {
    out << summary_["classes"].get<long>() << " classes:";
    const char* separator = " ";
    for (const char* verdict : kVerdictOrder) {
      out << separator << Painted(verdict, std::to_string(summary_["verdicts"][verdict].get<long>()) +
                                               " " + verdict);
      separator = ", ";
    }
    out << "\nnew classes suggested: " << summary_["new_classes_suggested"].get<long>()
        << ", requested unmapped: " << summary_["requested_unmapped"].get<long>() << '\n';
  }
  for (const char* verdict : kVerdictOrder) {
    if (shown_.count(verdict) == 0) continue;
    std::vector<const ClassEntry*> entries;
    for (const ClassEntry& entry : classes_) {
      if (entry.verdict == verdict) entries.push_back(&entry);
    }
    auto stray = strayFindings_.find(verdict);
    if (entries.empty() && stray == strayFindings_.end()) continue;
    out << '\n' << Painted(verdict, verdict) << " (" << entries.size()
        << (entries.size() == 1 ? " class" : " classes") << "):\n";
    for (const ClassEntry* entry : entries) {
      out << "  " << entry->line << '\n';
      for (const std::string& detail : entry->details) out << "      " << detail << '\n';
    }
    if (stray == strayFindings_.end()) continue;
    for (const std::string& finding : stray->second) out << "  " << finding << '\n';
  }
}
