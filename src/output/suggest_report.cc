#include "output/suggest_report.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>
#include <unordered_map>

#include "output/json_line.h"
#include "suggest/item_runs.h"
#include "suggest/lexicon_evidence.h"

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
      output,
      [&](size_t i) {
        order.push_back({static_cast<uint32_t>(i), true});
      },
      [&](size_t i) {
        order.push_back({static_cast<uint32_t>(i), false});
      });
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

void WriteRow(JsonLine& line, const TableRowRef* row) {
  line.Key("row");
  if (!row) {
    line.Null();
    return;
  }
  line.Open().Key("line").Number(row->line).Key("text").String(row->text).Close();
}

// Whether the item's row is written, and if not, why, with the row to
// write where there is one.
void WriteFate(JsonLine& line, const RowPlan& rows, const ItemRow& item) {
  line.Key("row_written").Bool(item.fate == RowFate::kWritten);
  if (item.fate == RowFate::kWritten) return;
  line.Key("why").String(FateCode(item.fate));
  if (const std::string* row = rows.Row(item)) line.Key("row_to_write").String(*row);
  if (item.note != ItemRow::kNone) line.Key("note").String(rows.NoteText(item.note));
}

// Two names compared: the source's label and key, the target's.
struct NamesCompared {
  std::string_view source_label, source_key, target_label, target_key;
};

// The evidence of a candidate in words; the lexicon's and the synonyms'
// say which words they relate ("lexicon: renal ~ kidney").
template <typename Visit>
void ForEachEvidence(uint32_t evidence, const SuggestOutput& output, const NamesCompared& names,
                     Visit visit) {
  for (std::string_view name : EvidenceNames(evidence)) {
    uint32_t signal = 0;
    if (name == "lexicon") signal = kSignalLexicon;
    if (name == "synonyms") signal = kSignalSynonyms;
    if (signal == 0 || !output.lexicon_evidence) {
      visit(name);
      continue;
    }
    std::string said =
        output.lexicon_evidence->Explain(names.source_label, names.target_label, signal);
    if (said.empty())
      said = output.lexicon_evidence->Explain(names.source_key, names.target_key, signal);
    visit(said.empty() ? std::string(name) : std::string(name) + ": " + said);
  }
}

void WriteEvidence(JsonLine& line, uint32_t evidence, const SuggestOutput& output,
                   const NamesCompared& names) {
  line.Key("evidence").OpenArray();
  ForEachEvidence(evidence, output, names, [&](std::string_view word) { line.String(word); });
  line.CloseArray();
}

// Whether the first candidates are tied: their scores read the same. Only
// an item left unaccepted is said to be tied.
size_t TiedAtTop(const std::vector<double>& scores, bool accepted) {
  if (accepted || scores.size() < 2) return 0;
  auto shown = [](double score) { return std::lround(score * 1000); };
  size_t tied = 1;
  while (tied < scores.size() && shown(scores[tied]) == shown(scores[0])) ++tied;
  return tied > 1 ? tied : 0;
}

template <typename Candidate>
size_t TiedAtTop(const std::vector<Candidate>& candidates, bool accepted) {
  std::vector<double> scores;
  for (const Candidate& candidate : candidates) scores.push_back(candidate.score);
  return TiedAtTop(scores, accepted);
}

// The table row that maps a target class, by the line of its class row.
class AnchorLines {
 public:
  explicit AnchorLines(const SuggestWork& work) {
    for (const ClassAnchor& anchor : work.input.class_anchors) {
      lines_.try_emplace(anchor.target, work.class_row_line[anchor.source]);
    }
  }
  long Of(size_t target) const {
    auto found = lines_.find(target);
    return found == lines_.end() ? 0 : found->second;
  }

 private:
  std::unordered_map<size_t, long> lines_;
};

void WriteClassTaker(JsonLine& line, const SuggestWork& work, const SuggestOutput& output,
                     const AnchorLines& anchors, const ClassCandidate& candidate) {
  if (candidate.taken_by == kTakenByNone) return;
  line.Key("taken_by").Open();
  if (candidate.taken_by == kTakenByRow) {
    line.Key("row").Number(anchors.Of(candidate.target));
  } else {
    line.Key("class").String(
        work.input.source[output.classes[static_cast<size_t>(candidate.taken_by)].source].key);
  }
  line.Close();
}

void WriteAttributeTaker(JsonLine& line, const SuggestWork& work, const SuggestOutput& output,
                         const AttributeCandidate& candidate) {
  if (candidate.taken_by < 0) return;
  const AttributeItem& item = output.attributes[static_cast<size_t>(candidate.taken_by)].item;
  const SuggestClass& owner = work.input.source[item.source_class];
  line.Key("taken_by").Open().Key("class").String(owner.key);
  line.Key("attribute").String(owner.attributes[item.source_attribute].label).Close();
}

void WriteClass(JsonLine& line, const SuggestWork& work, size_t source) {
  const SuggestClass& named = work.input.source[source];
  line.Key("class").Open().Key("label").String(named.label).Key("key").String(named.key);
  line.Key("parent").String(work.source_rows[source].parent).Close();
}

void ClassRecord(JsonLine& line, const SuggestWork& work, const SuggestOutput& output,
                 const AnchorLines& anchors, const ClassSuggestion& suggestion,
                 const ItemContext& context, const RowPlan& rows, const ItemRow& fate) {
  line.Open().Key("record").String("suggestion").Key("for").String("class");
  line.Key("reason").String(context.reason);
  WriteClass(line, work, suggestion.source);
  WriteRow(line, context.row);
  line.Key("candidates").OpenArray();
  const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
  for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
    const ClassCandidate& candidate = suggestion.candidates[k];
    const SuggestClass& target = work.input.target[candidate.target];
    line.Open().Key("key").String(target.key).Key("label").String(target.label);
    line.Key("parent").String(target.parent_key).Key("score").Decimal(candidate.score);
    const SuggestClass& source = work.input.source[suggestion.source];
    WriteEvidence(line, candidate.evidence, output,
                  {source.label, source.key, target.label, target.key});
    WriteClassTaker(line, work, output, anchors, candidate);
    if (k < tied) line.Key("tied").Bool(true);
    line.Close();
  }
  line.CloseArray().Key("accepted");
  if (suggestion.accepted && !suggestion.candidates.empty()) {
    line.String(work.input.target[suggestion.candidates.front().target].key);
  } else {
    line.Null();
  }
  if (suggestion.no_mapping) line.Key("no_mapping").Bool(true);
  WriteFate(line, rows, fate);
  line.Close();
}

void AttributeRecord(JsonLine& line, const SuggestWork& work, const SuggestOutput& output,
                     const AttributeSuggestion& suggestion, const ItemContext& context,
                     const RowPlan& rows, size_t item) {
  line.Open().Key("record").String("suggestion").Key("for").String("attribute");
  line.Key("reason").String(context.reason);
  WriteClass(line, work, suggestion.item.source_class);
  const SuggestAttribute& attribute =
      work.input.source[suggestion.item.source_class].attributes[suggestion.item.source_attribute];
  line.Key("attribute").Open().Key("label").String(attribute.label);
  line.Key("key").String(attribute.key).Close();
  WriteRow(line, context.row ? context.row : rows.attribute_table_rows[item]);
  line.Key("candidates").OpenArray();
  const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
  for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
    const AttributeCandidate& candidate = suggestion.candidates[k];
    const SuggestClass& owner = work.input.target[candidate.target_class];
    const SuggestAttribute& target = owner.attributes[candidate.target_attribute];
    line.Open().Key("class").String(owner.key).Key("key").String(target.key);
    line.Key("label").String(target.label).Key("score").Decimal(candidate.score);
    WriteEvidence(line, candidate.evidence, output,
                  {attribute.label, attribute.key, target.label, target.key});
    WriteAttributeTaker(line, work, output, candidate);
    if (k < tied) line.Key("tied").Bool(true);
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
  if (suggestion.no_mapping) line.Key("no_mapping").Bool(true);
  WriteFate(line, rows, rows.attributes[item]);
  line.Close();
}

std::string Score(double score) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", score);
  return text;
}

std::string Evidence(uint32_t evidence, const SuggestOutput& output, const NamesCompared& names) {
  std::string text;
  ForEachEvidence(evidence, output, names,
                  [&](std::string_view word) { (text += text.empty() ? "" : ", ") += word; });
  return text;
}

class TextWriter {
 public:
  TextWriter(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
             const RowPlan& rows, std::string table_path, bool colour)
      : out_(out),
        work_(work),
        output_(output),
        rows_(rows),
        table_path_(std::move(table_path)),
        colour_(colour) {}

  void Class(const ClassSuggestion& suggestion, const ItemContext& context, const ItemRow& fate) {
    const SuggestClass& source = work_.input.source[suggestion.source];
    std::string accepted;
    if (suggestion.accepted && !suggestion.candidates.empty()) {
      accepted = work_.input.target[suggestion.candidates.front().target].key.str();
    }
    Head(context, "class " + source.label.str(), accepted, suggestion.no_mapping);
    const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
    for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
      const ClassCandidate& candidate = suggestion.candidates[k];
      const SuggestClass& target = work_.input.target[candidate.target];
      std::string parent = target.parent_key.empty() ? "" : " under " + target.parent_key.str();
      Candidate(candidate.score, target.key.str() + " \"" + target.label.str() + "\"" + parent,
                Evidence(candidate.evidence, output_,
                         {source.label, source.key, target.label, target.key}),
                k < tied);
    }
    Fate(suggestion.accepted || suggestion.no_mapping, fate);
  }

  void Attribute(const AttributeSuggestion& suggestion, const ItemContext& context,
                 const ItemRow& fate) {
    const SuggestClass& source = work_.input.source[suggestion.item.source_class];
    std::string accepted;
    if (suggestion.accepted && !suggestion.candidates.empty()) {
      accepted = Named(suggestion.candidates.front());
    }
    Head(context,
         "attribute " + source.label.str() + " / " +
             source.attributes[suggestion.item.source_attribute].label.str(),
         accepted, suggestion.no_mapping);
    const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
    for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
      const AttributeCandidate& candidate = suggestion.candidates[k];
      const SuggestAttribute& target =
          work_.input.target[candidate.target_class].attributes[candidate.target_attribute];
      const SuggestAttribute& named = source.attributes[suggestion.item.source_attribute];
      Candidate(
          candidate.score, Named(candidate) + " \"" + target.label.str() + "\"",
          Evidence(candidate.evidence, output_, {named.label, named.key, target.label, target.key}),
          k < tied);
    }
    Fate(suggestion.accepted || suggestion.no_mapping, fate);
  }

 private:
  // An accepted suggestion whose row is not written says why.
  void Fate(bool accepted, const ItemRow& fate) {
    if (!accepted || fate.fate == RowFate::kWritten) return;
    out_ << "    " << Painted("33", "no row written") << ": ";
    if (fate.note != ItemRow::kNone) {
      out_ << rows_.NoteText(fate.note) << '\n';
    } else {
      out_ << FateWords(fate.fate) << '\n';
    }
  }

  std::string Named(const AttributeCandidate& candidate) const {
    const SuggestClass& owner = work_.input.target[candidate.target_class];
    return owner.key.str() + "." + owner.attributes[candidate.target_attribute].key.str();
  }

  std::string Painted(const char* code, const std::string& text) const {
    return colour_ ? std::string("\033[") + code + "m" + text + "\033[0m" : text;
  }

  void Head(const ItemContext& context, const std::string& item, const std::string& accepted,
            bool no_mapping) {
    if (context.row) out_ << table_path_ << ':' << context.row->line << ": ";
    out_ << Painted("1", item) << " (" << ReasonText(context.reason) << "): ";
    out_ << (no_mapping         ? Painted("32", "decided No Mapping")
             : accepted.empty() ? Painted("33", "no suggestion accepted")
                                : Painted("32", "suggests " + accepted))
         << '\n';
  }

  void Candidate(double score, const std::string& named, const std::string& words, bool tied) {
    out_ << "    " << Score(score) << (tied ? " tied" : "") << "  " << named;
    if (!words.empty()) out_ << "  [" << words << ']';
    out_ << '\n';
  }

  std::ostream& out_;
  const SuggestWork& work_;
  const SuggestOutput& output_;
  const RowPlan& rows_;
  std::string table_path_;
  bool colour_;
};

// One run's formatter of text items: a stream and a writer kept from item
// to item. Made in place, never moved: the writer holds the stream.
class TextItems {
 public:
  TextItems(const SuggestWork& work, const SuggestOutput& output, const RowPlan& rows,
            const std::string& table_path, bool colour)
      : work_(work),
        output_(output),
        rows_(rows),
        writer_(lines_, work, output, rows, table_path, colour) {}
  TextItems(const TextItems&) = delete;
  TextItems& operator=(const TextItems&) = delete;

  void operator()(ReportItem item, std::string& text) {
    lines_.str(std::string());
    if (item.is_class) {
      writer_.Class(output_.classes[item.index], work_.class_context[item.index],
                    rows_.classes[item.index]);
    } else {
      writer_.Attribute(output_.attributes[item.index], work_.attribute_context[item.index],
                        rows_.attributes[item.index]);
    }
    text += lines_.view();
  }

 private:
  const SuggestWork& work_;
  const SuggestOutput& output_;
  const RowPlan& rows_;
  std::ostringstream lines_;
  TextWriter writer_;
};

}  // namespace

std::string ReasonText(std::string_view reason) {
  if (reason == "not_in_mapping_table") return "not in the mapping table";
  if (reason == "badly_mapped") return "badly mapped";
  if (reason == "target_missing") return "its target is not in the target dictionary";
  if (reason == "no_row") return "no row";
  return std::string(reason);
}

std::vector<std::string> EvidenceWordsOf(uint32_t evidence, const SuggestOutput& output,
                                         std::string_view source_label, std::string_view source_key,
                                         std::string_view target_label,
                                         std::string_view target_key) {
  std::vector<std::string> words;
  ForEachEvidence(evidence, output, {source_label, source_key, target_label, target_key},
                  [&](std::string_view word) { words.emplace_back(word); });
  return words;
}

size_t TiedScores(const std::vector<double>& scores, bool accepted) {
  return TiedAtTop(scores, accepted);
}

SuggestCounts CountSuggestions(const SuggestOutput& output) {
  SuggestCounts counts;
  counts.class_items = static_cast<long>(output.classes.size());
  counts.attribute_items = static_cast<long>(output.attributes.size());
  for (const ClassSuggestion& suggestion : output.classes) {
    counts.classes_accepted += suggestion.accepted;
    counts.classes_no_mapping += suggestion.no_mapping;
  }
  for (const AttributeSuggestion& suggestion : output.attributes) {
    counts.attributes_accepted += suggestion.accepted;
    counts.attributes_no_mapping += suggestion.no_mapping;
  }
  return counts;
}

void WriteSuggestionRecords(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                            const RowPlan& rows) {
  const AnchorLines anchors(work);
  WriteInBatches(out, output, [&] {
    return [&, line = JsonLine()](ReportItem item, std::string& text) mutable {
      line.Clear();
      if (item.is_class) {
        ClassRecord(line, work, output, anchors, output.classes[item.index],
                    work.class_context[item.index], rows, rows.classes[item.index]);
      } else {
        AttributeRecord(line, work, output, output.attributes[item.index],
                        work.attribute_context[item.index], rows, item.index);
      }
      text += line.Text();
    };
  });
  SuggestCounts counts = CountSuggestions(output);
  JsonLine line;
  line.Open().Key("record").String("summary");
  line.Key("classes").Open().Key("items").Number(counts.class_items);
  line.Key("accepted").Number(counts.classes_accepted);
  if (counts.classes_no_mapping > 0) line.Key("no_mapping").Number(counts.classes_no_mapping);
  line.Close().Key("attributes").Open().Key("items").Number(counts.attribute_items);
  line.Key("accepted").Number(counts.attributes_accepted);
  if (counts.attributes_no_mapping > 0) line.Key("no_mapping").Number(counts.attributes_no_mapping);
  line.Close();
  line.Close();
  out << line.Text();
}

namespace {

void TypedFate(SuggestionRecord& record, const RowPlan& rows, const ItemRow& item) {
  record.row_written = item.fate == RowFate::kWritten;
  if (record.row_written) return;
  record.why = FateCode(item.fate);
  if (item.note != ItemRow::kNone) record.note = rows.NoteText(item.note);
}

SuggestionRecord TypedClassRecord(const SuggestWork& work, const SuggestOutput& output,
                                  const AnchorLines& anchors, const RowPlan& rows, size_t item) {
  const ClassSuggestion& suggestion = output.classes[item];
  const ItemContext& context = work.class_context[item];
  const SuggestClass& source = work.input.source[suggestion.source];
  SuggestionRecord record;
  record.reason = context.reason;
  record.class_label = source.label.str();
  record.class_key = source.key.str();
  record.class_parent = work.source_rows[suggestion.source].parent;
  if (context.row) record.row = *context.row;
  const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
  for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
    const ClassCandidate& c = suggestion.candidates[k];
    const SuggestClass& target = work.input.target[c.target];
    RecordCandidate candidate;
    candidate.key = target.key.str();
    candidate.label = target.label.str();
    candidate.parent = target.parent_key.str();
    candidate.score = c.score;
    ForEachEvidence(c.evidence, output, {source.label, source.key, target.label, target.key},
                    [&](std::string_view word) { candidate.evidence.emplace_back(word); });
    if (c.taken_by == kTakenByRow) {
      candidate.taken_by_row = anchors.Of(c.target);
    } else if (c.taken_by >= 0) {
      candidate.taken_by_class =
          work.input.source[output.classes[static_cast<size_t>(c.taken_by)].source].key.str();
    }
    candidate.tied = k < tied;
    record.candidates.push_back(std::move(candidate));
  }
  record.accepted = suggestion.accepted && !suggestion.candidates.empty();
  if (record.accepted) record.accepted_key = record.candidates.front().key;
  record.no_mapping = suggestion.no_mapping;
  TypedFate(record, rows, rows.classes[item]);
  return record;
}

SuggestionRecord TypedAttributeRecord(const SuggestWork& work, const SuggestOutput& output,
                                      const RowPlan& rows, size_t item) {
  const AttributeSuggestion& suggestion = output.attributes[item];
  const ItemContext& context = work.attribute_context[item];
  const SuggestClass& owner = work.input.source[suggestion.item.source_class];
  const SuggestAttribute& attribute = owner.attributes[suggestion.item.source_attribute];
  SuggestionRecord record;
  record.for_class = false;
  record.reason = context.reason;
  record.class_label = owner.label.str();
  record.class_key = owner.key.str();
  record.class_parent = work.source_rows[suggestion.item.source_class].parent;
  record.attribute_label = attribute.label.str();
  record.attribute_key = attribute.key.str();
  if (const TableRowRef* row = context.row ? context.row : rows.attribute_table_rows[item])
    record.row = *row;
  const size_t tied = TiedAtTop(suggestion.candidates, suggestion.accepted);
  for (size_t k = 0; k < suggestion.candidates.size(); ++k) {
    const AttributeCandidate& c = suggestion.candidates[k];
    const SuggestClass& holder = work.input.target[c.target_class];
    const SuggestAttribute& target = holder.attributes[c.target_attribute];
    RecordCandidate candidate;
    candidate.target_class = holder.key.str();
    candidate.key = target.key.str();
    candidate.label = target.label.str();
    candidate.score = c.score;
    ForEachEvidence(c.evidence, output, {attribute.label, attribute.key, target.label, target.key},
                    [&](std::string_view word) { candidate.evidence.emplace_back(word); });
    if (c.taken_by >= 0) {
      const AttributeItem& taker = output.attributes[static_cast<size_t>(c.taken_by)].item;
      const SuggestClass& taker_class = work.input.source[taker.source_class];
      candidate.taken_by_class = taker_class.key.str();
      candidate.taken_by_attribute = taker_class.attributes[taker.source_attribute].label.str();
    }
    candidate.tied = k < tied;
    record.candidates.push_back(std::move(candidate));
  }
  record.accepted = suggestion.accepted && !suggestion.candidates.empty();
  if (record.accepted) {
    record.accepted_class = record.candidates.front().target_class;
    record.accepted_key = record.candidates.front().key;
  }
  record.no_mapping = suggestion.no_mapping;
  TypedFate(record, rows, rows.attributes[item]);
  return record;
}

}  // namespace

void ForEachSuggestionRecord(const SuggestWork& work, const SuggestOutput& output,
                             const RowPlan& rows,
                             const std::function<void(const SuggestionRecord&)>& visit) {
  const AnchorLines anchors(work);
  for (const ReportItem& item : ReportOrder(output)) {
    visit(item.is_class ? TypedClassRecord(work, output, anchors, rows, item.index)
                        : TypedAttributeRecord(work, output, rows, item.index));
  }
}

void WriteSuggestionText(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                         const RowPlan& rows, const std::string& table_path, bool colour) {
  WriteInBatches(out, output, [&] { return TextItems(work, output, rows, table_path, colour); });
  SuggestCounts counts = CountSuggestions(output);
  auto decided = [](long none) {
    return none > 0 ? ", " + std::to_string(none) + " decided No Mapping" : std::string();
  };
  out << "classes: " << counts.class_items << " to place, " << counts.classes_accepted
      << " accepted" << decided(counts.classes_no_mapping)
      << "; attributes: " << counts.attribute_items << " to place, " << counts.attributes_accepted
      << " accepted" << decided(counts.attributes_no_mapping) << '\n';
}
