#include "lexicon/user_synonyms.h"

#include <utf8proc.h>

#include <algorithm>

#include "platform/file_problem.h"
#include "platform/file_reader.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Spreadsheets save "Unicode text" as UTF-16: with a byte-order mark, or
// recognisable without one by the NUL byte beside each ASCII character.
bool LooksLikeUtf16(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
  return bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0');
}

bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  for (size_t at = 0; at < text.size();) {
    utf8proc_int32_t code = 0;
    utf8proc_ssize_t used =
        utf8proc_iterate(bytes + at, static_cast<utf8proc_ssize_t>(text.size() - at), &code);
    if (used <= 0) return false;
    at += static_cast<size_t>(used);
  }
  return true;
}

// Why a line cannot be read as text at all; empty when it can.
std::string TextProblem(std::string_view line) {
  if (line.size() > kMostSynonymLineBytes) {
    return "longer than " + std::to_string(kMostSynonymLineBytes) + " bytes";
  }
  for (char c : line) {
    if (c == '\0') return "holds a NUL byte";
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F')
      return "holds a control character";
  }
  return IsValidUtf8(line) ? "" : "not valid UTF-8";
}

struct LineEntries {
  std::vector<std::string> entries;  // none for a line of empty cells
  std::string problem;
};

// One entry from `at`, which it leaves on the separator after it or at the
// end of the line. A quoted entry is CSV's: "" inside stands for a quote.
bool ReadEntry(std::string_view line, size_t& at, std::string& entry, bool& quoted,
               std::string& problem) {
  while (at < line.size() && IsBlank(line[at])) ++at;
  quoted = at < line.size() && line[at] == '"';
  if (!quoted) {
    const size_t end = std::min(line.find_first_of("=,", at), line.size());
    entry = Trim(line.substr(at, end - at));
    at = end;
    return true;
  }
  entry.clear();
  for (++at;; ++at) {
    if (at >= line.size()) {
      problem = "a quote is not closed";
      return false;
    }
    if (line[at] != '"') {
      entry += line[at];
    } else if (at + 1 < line.size() && line[at + 1] == '"') {
      entry += '"';
      ++at;
    } else {
      break;
    }
  }
  for (++at; at < line.size() && IsBlank(line[at]); ++at) {
  }
  if (at < line.size() && line[at] != '=' && line[at] != ',') {
    problem = "text after a closing quote";
    return false;
  }
  entry = std::string(Trim(entry));
  return true;
}

// A spreadsheet pads a row with empty cells to the widest row, after a
// line of '=' too ("temp = temperature,,"): the padding goes.
std::string_view WithoutPadding(std::string_view line) {
  if (line.find('=') == std::string_view::npos) return line;
  size_t end = line.size();
  while (end > 0 && (IsBlank(line[end - 1]) || line[end - 1] == ',')) --end;
  const bool padded = line.find(',', end) != std::string_view::npos;
  return padded ? line.substr(0, end) : line;
}

// Why a line of one entry reads as entries a spreadsheet separated
// otherwise, or "" when it does not.
std::string OtherSeparator(std::string_view line) {
  if (line.find(';') != std::string_view::npos)
    return "entries separated by ';': separate them by '=' or ',' (save the spreadsheet as CSV "
           "with commas)";
  if (Trim(line).find('\t') != std::string_view::npos)
    return "entries separated by tabs: separate them by '=' or ',' (save the spreadsheet as CSV "
           "with commas)";
  return "";
}

LineEntries SplitEntries(std::string_view line) {
  LineEntries result;
  line = WithoutPadding(line);
  std::vector<bool> quoted;
  bool by_equals = false, by_commas = false;
  for (size_t at = 0;;) {
    std::string entry;
    bool was_quoted = false;
    if (!ReadEntry(line, at, entry, was_quoted, result.problem)) return result;
    result.entries.push_back(std::move(entry));
    quoted.push_back(was_quoted);
    if (at >= line.size()) break;
    (line[at] == '=' ? by_equals : by_commas) = true;
    ++at;
  }
  if (by_equals && by_commas) {
    result.problem =
        "both '=' and ',' separate entries: use one of them (quote an entry that holds a comma)";
    return result;
  }
  // A spreadsheet pads a short row with empty cells to the widest row.
  while (by_commas && !result.entries.empty() && result.entries.back().empty() && !quoted.back()) {
    result.entries.pop_back();
    quoted.pop_back();
  }
  for (size_t i = 0; i < result.entries.size(); ++i) {
    if (result.entries[i].empty()) {
      result.problem = "entry " + std::to_string(i + 1) + " is empty";
      return result;
    }
  }
  if (result.entries.size() == 1) {
    result.problem = OtherSeparator(line);
    if (result.problem.empty())
      result.problem = "a group needs two entries or more, separated by '=' or ','";
    return result;
  }
  size_t group_bytes = 0;
  for (const std::string& entry : result.entries) group_bytes += entry.size();
  if (group_bytes > kMostSynonymGroupBytes) {
    result.problem =
        "its entries hold more than " + std::to_string(kMostSynonymGroupBytes) + " bytes together";
  }
  return result;
}

}  // namespace

UserSynonyms ParseUserSynonyms(std::string_view bytes, const std::string& file) {
  UserSynonyms synonyms;
  auto refuse = [&](size_t line, std::string reason) {
    synonyms.problems.push_back({file, line, std::move(reason)});
  };
  if (bytes.size() > kMostSynonymFileBytes) {
    refuse(0, TooLarge(kMostSynonymFileBytes));
    return synonyms;
  }
  if (LooksLikeUtf16(bytes)) {
    refuse(0, "UTF-16 text: save the file as UTF-8");
    return synonyms;
  }
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  size_t number = 0;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (std::string problem = TextProblem(line); !problem.empty()) {
      refuse(number, std::move(problem));
      continue;
    }
    if (Trim(line).empty() || Trim(line).starts_with('#')) continue;
    LineEntries split = SplitEntries(line);
    if (!split.problem.empty()) {
      refuse(number, std::move(split.problem));
    } else if (!split.entries.empty()) {
      if (synonyms.groups.empty() && synonyms.problems.empty() && ReadsAsHeader(split.entries)) {
        synonyms.warnings.push_back(
            {file, number,
             "reads as a spreadsheet's header, but is read as a group of synonyms: "
             "delete the line if it is a header"});
      }
      synonyms.groups.push_back({number, std::move(split.entries)});
    }
  }
  return synonyms;
}

UserSynonyms ReadUserSynonyms(const std::string& path) {
  FileRead read = ReadFile(path, kMostSynonymFileBytes);
  if (!read.ok()) {
    UserSynonyms synonyms;
    synonyms.problems.push_back({path, 0, std::move(read.reason)});
    return synonyms;
  }
  return ParseUserSynonyms(read.bytes, path);
}

bool ReadsAsHeader(const std::vector<std::string>& entries) {
  static constexpr std::string_view kHeadings[] = {
      "word",          "words", "term",    "terms",   "synonym",   "synonyms", "abbreviation",
      "abbreviations", "old",   "new",     "from",    "source",    "target",   "original",
      "replacement",   "alias", "aliases", "meaning", "expansion", "column"};
  auto heading = [](const std::string& entry) {
    std::string word;
    for (size_t at = 0; at <= entry.size(); ++at) {
      const char c = at < entry.size() ? entry[at] : ' ';
      if (c == ' ' || c == '_' || c == '-' || c == '\t') {
        for (std::string_view h : kHeadings) {
          if (word == h) return true;
        }
        word.clear();
      } else {
        word += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      }
    }
    return false;
  };
  return !entries.empty() && std::all_of(entries.begin(), entries.end(), heading);
}

std::string SynonymProblemText(const SynonymProblem& problem) {
  std::string text = problem.file.empty() ? std::string("''") : problem.file;
  if (problem.line > 0) {
    text += ':';
    text += std::to_string(problem.line);
  }
  text += ": ";
  text += problem.reason;
  return text;
}
