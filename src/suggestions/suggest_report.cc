#include "suggestions/suggest_report.h"

#include <cstdio>
#include <functional>
#include <sstream>

#include "suggest/item_runs.h"

#include "output/json_line.h"

namespace {

// An item of the report: a class item's or an attribute item's number.
struct ReportItem {
  uint32_t index;
  bool is_class;
};

// Calls the visitors for every item in the order of the source dictionary:
// a class's own item first, then its attributes'.
void ForEachItem(const SuggestOutput& output, const std::function<void(size_t)>& class_item,
                 const std::function<void(size_t)>& attribute_item) {
  size_t attribute = 0;
  auto attributes_before = [&](size_t source, bool inclusive) {
    while (attribute < output.attributes.size()) {
      size_t owner = output.attributes[attribute].item.source_class;
      if (inclusive ? owner > source : owner >= source) break;
      attribute_item(attribute++);
    }
  };
  for (size_t i = 0; i < output.classes.size(); ++i) {
    attributes_before(output.classes[i].source, false);
    class_item(i);
    attributes_before(output.classes[i].source, true);
  }
  attributes_before(static_cast<size_t>(-1), true);
}

std::vector<ReportItem> ReportOrder(const SuggestOutput& output) {
  std::vector<ReportItem> order;
  order.reserve(output.classes.size() + output.attributes.size());
  ForEachItem(
      output, [&](size_t i) { order.push_back({static_cast<uint32_t>(i), true}); },
      [&](size_t i) { order.push_back({static_cast<uint32_t>(i), false}); });
  return order;
}

// Writes the items in report order, formatted a batch at a time on every
// processor (a report of 300,000 items is hundreds of megabytes of text).
// `make_format()` gives each run of a batch its own formatter, which
// appends one item's text to the run's buffer.
template <typename MakeFormat>
void WriteInBatches(std::ostream& out, const SuggestOutput& output, MakeFormat make_format) {
  constexpr size_t kBatch = 8192;
  constexpr size_t kLeastPerRun = 2048;
  const std::vector<ReportItem> order = ReportOrder(output);
  std::vector<std::string> texts(RunsFor(order.size(), kLeastPerRun, 0));
  for (size_t batch = 0; batch < order.size(); batch += kBatch) {
    const size_t size = std::min(kBatch, order.size() - batch);
    ForEachRun(size, texts.size(), [&](size_t run, size_t begin, size_t end) {
      auto format = make_format();
      texts[run].clear();
      for (size_t i = begin; i < end; ++i) format(order[batch + i], texts[run]);
    });
    for (const std::string& text : texts) out << text;
  }
}

void WriteRow(JsonLine& line, const ItemContext& context) {
  line.Key("row");
  if (!context.row) {
    line.Null();
    return;
  }
  line.Open().Key("line").Number(context.row->line).Key("text").String(context.row->text).Close();
}

void WriteEvidence(JsonLine& line, uint32_t evidence) {
  line.Key("evidence").OpenArray();
  for (std::string_view name : EvidenceNames(evidence)) line.String(name);
  line.CloseArray();
}

void WriteClass(JsonLine& line, const SuggestWork& work, size_t source) {
  const SuggestClass& named = work.input.source[source];
  line.Key("class").Open().Key("label").String(named.label).Key("key").String(named.key);
  line.Key("parent").String(work.sourceRows[source].parent).Close();
}

void ClassRecord(JsonLine& line, const SuggestWork& work, const ClassSuggestion& suggestion,
                 const ItemContext& context) {
  line.Open().Key("record").String("suggestion").Key("for").String("class");
  line.Key("reason").String(context.reason);
  WriteClass(line, work, suggestion.source);
  WriteRow(line, context);
  line.Key("candidates").OpenArray();
  for (const ClassCandidate& candidate : suggestion.candidates) {
    const SuggestClass& target = work.input.target[candidate.target];
    line.Open().Key("key").String(target.key).Key("label").String(target.label);
    line.Key("parent").String(target.parent_key).Key("score").Decimal(candidate.score);
    WriteEvidence(line, candidate.evidence);
    line.Close();
  }
  line.CloseArray().Key("accepted");
  if (suggestion.accepted && !suggestion.candidates.empty()) {
    line.String(work.input.target[suggestion.candidates.front().target].key);
  } else {
    line.Null();
  }
  line.Close();
}

void AttributeRecord(JsonLine& line, const SuggestWork& work,
                     const AttributeSuggestion& suggestion, const ItemContext& context) {
  line.Open().Key("record").String("suggestion").Key("for").String("attribute");
  line.Key("reason").String(context.reason);
  WriteClass(line, work, suggestion.item.source_class);
  const SuggestAttribute& attribute =
      work.input.source[suggestion.item.source_class].attributes[suggestion.item.source_attribute];
  line.Key("attribute").Open().Key("label").String(attribute.label);
  line.Key("key").String(attribute.key).Close();
  WriteRow(line, context);
  line.Key("candidates").OpenArray();
  for (const AttributeCandidate& candidate : suggestion.candidates) {
    const SuggestClass& owner = work.input.target[candidate.target_class];
    const SuggestAttribute& target = owner.attributes[candidate.target_attribute];
    line.Open().Key("class").String(owner.key).Key("key").String(target.key);
    line.Key("label").String(target.label).Key("score").Decimal(candidate.score);
    WriteEvidence(line, candidate.evidence);
    line.Close();
  }
  line.CloseArray().Key("accepted");
  if (suggestion.accepted && !suggestion.candidates.empty()) {
    const AttributeCandidate& best = suggestion.candidates.front();
    const SuggestClass& owner = work.input.target[best.target_class];
    line.Open().Key("class").String(owner.key);
    line.Key("key").String(owner.attributes[best.target_attribute].key).Close();
  } else {
    line.Null();
  }
  line.Close();
}

std::string Score(double score) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", score);
  return text;
}

std::string Evidence(uint32_t evidence) {
  std::string text;
  for (std::string_view name : EvidenceNames(evidence)) (text += text.empty() ? "" : ", ") += name;
  return text;
}

std::string ReasonText(std::string_view reason) {
  if (reason == "not_in_mapping_table") return "not in the mapping table";
  if (reason == "badly_mapped") return "badly mapped";
  if (reason == "target_missing") return "its target is not in the target dictionary";
  if (reason == "no_row") return "no row";
  return std::string(reason);
}

class TextWriter {
 public:
  TextWriter(std::ostream& out, const SuggestWork& work, std::string table_path, bool colour)
      : out_(out), work_(work), tablePath_(std::move(table_path)), colour_(colour) {}

  void Class(const ClassSuggestion& suggestion, const ItemContext& context) {
    const SuggestClass& source = work_.input.source[suggestion.source];
    std::string accepted;
    if (suggestion.accepted && !suggestion.candidates.empty()) {
      accepted = work_.input.target[suggestion.candidates.front().target].key.str();
    }
    Head(context, "class " + source.label.str(), accepted);
    for (const ClassCandidate& candidate : suggestion.candidates) {
      const SuggestClass& target = work_.input.target[candidate.target];
      std::string parent = target.parent_key.empty() ? "" : " under " + target.parent_key.str();
      Candidate(candidate.score, target.key.str() + " \"" + target.label.str() + "\"" + parent,
                candidate.evidence);
    }
  }

  void Attribute(const AttributeSuggestion& suggestion, const ItemContext& context) {
    const SuggestClass& source = work_.input.source[suggestion.item.source_class];
    std::string accepted;
    if (suggestion.accepted && !suggestion.candidates.empty()) {
      accepted = Named(suggestion.candidates.front());
    }
    Head(context, "attribute " + source.label.str() + " / " +
                      source.attributes[suggestion.item.source_attribute].label.str(), accepted);
    for (const AttributeCandidate& candidate : suggestion.candidates) {
      const SuggestAttribute& target =
          work_.input.target[candidate.target_class].attributes[candidate.target_attribute];
      Candidate(candidate.score, Named(candidate) + " \"" + target.label.str() + "\"",
                candidate.evidence);
    }
  }

 private:
  std::string Named(const AttributeCandidate& candidate) const {
    const SuggestClass& owner = work_.input.target[candidate.target_class];
    return owner.key.str() + "." + owner.attributes[candidate.target_attribute].key.str();
  }

  std::string Painted(const char* code, const std::string& text) const {
    return colour_ ? std::string("\033[") + code + "m" + text + "\033[0m" : text;
  }

  void Head(const ItemContext& context, const std::string& item, const std::string& accepted) {
    if (context.row) out_ << tablePath_ << ':' << context.row->line << ": ";
    out_ << Painted("1", item) << " (" << ReasonText(context.reason) << "): ";
    out_ << (accepted.empty() ? Painted("33", "no suggestion accepted")
                              : Painted("32", "suggests " + accepted))
         << '\n';
  }

  void Candidate(double score, const std::string& named, uint32_t evidence) {
    out_ << "    " << Score(score) << "  " << named;
    std::string words = Evidence(evidence);
    if (!words.empty()) out_ << "  [" << words << ']';
    out_ << '\n';
  }

  std::ostream& out_;
  const SuggestWork& work_;
  std::string tablePath_;
  bool colour_;
};

// One run's formatter of text items: a stream and a writer kept from item
// to item. Made in place, never moved: the writer holds the stream.
class TextItems {
 public:
  TextItems(const SuggestWork& work, const SuggestOutput& output, const std::string& table_path, bool colour)
      : work_(work), output_(output), writer_(lines_, work, table_path, colour) {}
  TextItems(const TextItems&) = delete;
  TextItems& operator=(const TextItems&) = delete;

  void operator()(ReportItem item, std::string& text) {
    lines_.str(std::string());
    if (item.is_class) {
      writer_.Class(output_.classes[item.index], work_.classContext[item.index]);
    } else {
      writer_.Attribute(output_.attributes[item.index], work_.attributeContext[item.index]);
    }
    text += lines_.view();
  }

 private:
  const SuggestWork& work_;
  const SuggestOutput& output_;
  std::ostringstream lines_;
  TextWriter writer_;
};

}  // namespace

SuggestCounts CountSuggestions(const SuggestOutput& output) {
  SuggestCounts counts;
  counts.classItems = static_cast<long>(output.classes.size());
  counts.attributeItems = static_cast<long>(output.attributes.size());
  for (const ClassSuggestion& suggestion : output.classes) counts.classesAccepted += suggestion.accepted;
  for (const AttributeSuggestion& suggestion : output.attributes) {
    counts.attributesAccepted += suggestion.accepted;
  }
  return counts;
}

void WriteSuggestionRecords(std::ostream& out, const SuggestWork& work,
                            const SuggestOutput& output) {
  WriteInBatches(out, output, [&] {
    return [&, line = JsonLine()](ReportItem item, std::string& text) mutable {
      line.Clear();
      if (item.is_class) {
        ClassRecord(line, work, output.classes[item.index], work.classContext[item.index]);
      } else {
        AttributeRecord(line, work, output.attributes[item.index], work.attributeContext[item.index]);
      }
      text += line.Text();
    };
  });
  SuggestCounts counts = CountSuggestions(output);
  JsonLine line;
  line.Open().Key("record").String("summary");
  line.Key("classes").Open().Key("items").Number(counts.classItems);
  line.Key("accepted").Number(counts.classesAccepted).Close();
  line.Key("attributes").Open().Key("items").Number(counts.attributeItems);
  line.Key("accepted").Number(counts.attributesAccepted).Close();
  line.Close();
  out << line.Text();
}

void WriteSuggestionText(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                         const std::string& table_path, bool colour) {
  WriteInBatches(out, output, [&] { return TextItems(work, output, table_path, colour); });
  SuggestCounts counts = CountSuggestions(output);
  out << "classes: " << counts.classItems << " to place, " << counts.classesAccepted
      << " accepted; attributes: " << counts.attributeItems << " to place, "
      << counts.attributesAccepted << " accepted\n";
}
