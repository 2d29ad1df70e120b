#include "explore/explore_page_writer.h"

#include <stdexcept>

#include "explore/explore_template.h"
#include "explore/finding_encoding.h"
#include "explore/report_link.h"
#include "explore/script_safe_json.h"

namespace {

constexpr size_t kSpoolBatch = 1 << 16;
constexpr size_t kMaskedKinds = 32;

void AppendCode(std::string& out, size_t code) { out += std::to_string(code); }

// The members every class and attribute finding carries after its names:
// target, message, table row and proposal.
void AppendOutcome(std::string& out, const nlohmann::json& record) {
  AppendTarget(out, FieldOf(record, "target"));
  out += ',';
  AppendText(out, FieldOf(record, "message"));
  out += ',';
  AppendRow(out, FieldOf(record, "row"));
  out += ',';
  AppendProposal(out, FieldOf(record, "proposal"));
}

}  // namespace

ExplorePageWriter::ExplorePageWriter(std::ostream& out, const ExplorePageOptions& options)
    : out_(out),
      options_(options),
      verdicts_({"green", "blue", "red", "orange", "purple"}),
      kinds_({"not_in_mapping_table", "badly_mapped", "explicitly_unmapped", "valid",
              "not_found_in_target", "uuid_differs", "domain_missing", "parent_unknown",
              "class_not_in_target", "retained", "child_loses_attributes", "no_row",
              "dropped_row"}),
      sections_({"body", "requested_unmapped"}) {
  if (options_.classes_per_chunk == 0) options_.classes_per_chunk = 1;
}

void ExplorePageWriter::Add(const nlohmann::json& record) {
  if (finished_) throw std::logic_error("ExplorePageWriter::Add after Finish");
  std::string_view kind = TextOf(FieldOf(record, "record"));
  if (kind == "class") {
    AddClass(record);
  } else if (kind == "attribute") {
    AddAttribute(record);
  } else if (kind == "child") {
    AddChild(record);
  } else if (kind == "summary" && !FieldOf(record, "classes").is_object()) {
    // The summary of `zorvez suggest` counts its items in objects: it is
    // not the comparison's.
    summary_ = ScriptSafeJson(record);
  }
  FlushPending(false);
}

void ExplorePageWriter::AddClass(const nlohmann::json& record) {
  const nlohmann::json& source = FieldOf(record, "class");
  std::string& out =
      BeginClass(TextOf(FieldOf(record, "verdict")), TextOf(FieldOf(record, "finding")),
                 TextOf(FieldOf(source, "label")), TextOf(FieldOf(source, "key")),
                 TextOf(FieldOf(source, "parent")), TextOf(FieldOf(record, "section")));
  AppendOutcome(out, record);
}

void ExplorePageWriter::AddAttribute(const nlohmann::json& record) {
  if (classes_.empty()) return;
  const nlohmann::json& attribute = FieldOf(record, "attribute");
  std::string& out =
      BeginItem(0, TextOf(FieldOf(record, "verdict")), TextOf(FieldOf(record, "finding")),
                TextOf(FieldOf(attribute, "label")), TextOf(FieldOf(attribute, "key")));
  AppendOutcome(out, record);
  EndItem();
}

void ExplorePageWriter::AddChild(const nlohmann::json& record) {
  if (classes_.empty()) return;
  std::string& out =
      BeginItem(1, TextOf(FieldOf(record, "verdict")), TextOf(FieldOf(record, "finding")),
                TextOf(FieldOf(FieldOf(record, "child"), "label")), "");
  AppendText(out, FieldOf(record, "message"));
  out += ',';
  AppendRow(out, FieldOf(record, "row"));
  EndItem();
}

// A class's entry in its chunk: target, message, row, proposal, then its
// attribute and child items as they come.
std::string& ExplorePageWriter::BeginClass(std::string_view verdict, std::string_view kind,
                                           std::string_view label, std::string_view key,
                                           std::string_view parent, std::string_view section) {
  if (finished_) throw std::logic_error("ExplorePageWriter::BeginClass after Finish");
  if (chunk_open_) pending_ += ']';  // the previous class's entry
  if (chunk_open_ && classes_in_chunk_ == options_.classes_per_chunk) CloseChunk();
  if (chunk_open_) {
    pending_ += ',';
  } else {
    pending_ +=
        "<script type=\"application/json\" id=\"zv-chunk-" + std::to_string(chunks_) + "\">[";
    chunk_open_ = true;
    classes_in_chunk_ = 0;
  }
  ++classes_in_chunk_;
  pending_ += '[';

  ClassLine line;
  line.head += '[';
  AppendCode(line.head, verdicts_.Code(verdict));
  line.head += ',';
  AppendCode(line.head, kinds_.Code(kind));
  for (std::string_view text : {label, key, parent}) {
    line.head += ',';
    AppendScriptSafeString(line.head, text);
  }
  line.head += ',';
  AppendCode(line.head, sections_.Code(section));
  classes_.push_back(std::move(line));
  return pending_;
}

std::string& ExplorePageWriter::BeginItem(int item_type, std::string_view verdict,
                                          std::string_view kind, std::string_view label,
                                          std::string_view key) {
  item_kind_ = kinds_.Code(kind);
  item_verdict_ = verdicts_.Code(verdict);
  pending_ += ",[";
  pending_ += static_cast<char>('0' + item_type);
  pending_ += ',';
  AppendCode(pending_, item_verdict_);
  pending_ += ',';
  AppendCode(pending_, item_kind_);
  pending_ += ',';
  AppendScriptSafeString(pending_, label);
  pending_ += ',';
  if (item_type == 0) {
    AppendScriptSafeString(pending_, key);
    pending_ += ',';
    std::string& names = classes_.back().attribute_names;
    names.append(label).append(1, '\n').append(key).append(1, '\n');
  }
  return pending_;
}

void ExplorePageWriter::EndItem() {
  pending_ += ']';
  ClassLine& line = classes_.back();
  if (item_kind_ < kMaskedKinds) line.item_kinds |= uint32_t{1} << item_kind_;
  if (item_verdict_ < kMaskedKinds) line.item_verdicts |= uint32_t{1} << item_verdict_;
  ++line.items;
}

void ExplorePageWriter::CloseChunk() {
  pending_ += "]</script>\n";
  chunk_open_ = false;
  ++chunks_;
}

void ExplorePageWriter::FlushPending(bool always) {
  if (!always && pending_.size() < kSpoolBatch) return;
  spool_.Write(pending_);
  pending_.clear();
}

void ExplorePageWriter::WriteIndex() {
  std::string text = "{\"format\":1,\"inputs\":{\"source\":";
  AppendScriptSafeString(text, options_.source_name);
  text += ",\"target\":";
  AppendScriptSafeString(text, options_.target_name);
  text += ",\"mapping\":";
  AppendScriptSafeString(text, options_.mapping_name);
  text += options_.v5v5 ? ",\"v5v5\":true" : ",\"v5v5\":false";
  text += options_.old_format ? ",\"old\":true}" : ",\"old\":false}";
  text += ",\"report\":";
  if (options_.report_path.empty()) {
    text += "null";
  } else {
    AppendScriptSafeString(text, EncodeReportPath(options_.report_path));
  }
  text += ",\"verdicts\":" + ScriptSafeJson(verdicts_.Names());
  text += ",\"kinds\":" + ScriptSafeJson(kinds_.Names());
  text += ",\"sections\":" + ScriptSafeJson(sections_.Names());
  text += ",\"chunkClasses\":" + std::to_string(options_.classes_per_chunk);
  text += ",\"summary\":" + summary_ + ",\"classes\":[";
  out_ << text;
  for (size_t i = 0; i < classes_.size(); ++i) {
    const ClassLine& line = classes_[i];
    if (i > 0) out_ << ",\n";
    out_ << line.head << ',' << line.item_kinds << ',' << line.items << ',' << line.item_verdicts
         << ']';
  }
  out_ << "]}";
}

// The attribute labels and keys of every class, one string per class: read
// by the page only when a search begins, so they come after its script.
void ExplorePageWriter::WriteAttributeNames() {
  out_ << "<script type=\"application/json\" id=\"zv-attribute-names\">[";
  std::string text;
  for (size_t i = 0; i < classes_.size(); ++i) {
    if (i > 0) text += ',';
    AppendScriptSafeString(text, classes_[i].attribute_names);
    if (text.size() >= kSpoolBatch) {
      out_ << text;
      text.clear();
    }
  }
  out_ << text << "]</script>\n";
}

void ExplorePageWriter::Finish() {
  if (finished_) return;
  finished_ = true;
  if (chunk_open_) {
    pending_ += ']';
    CloseChunk();
  }
  FlushPending(true);

  const ExploreTemplate& page = EmbeddedExploreTemplate();
  std::string_view rest = page.html;
  auto copy_to = [&](std::string_view marker) {
    size_t at = rest.find(marker);
    out_ << rest.substr(0, at);
    rest.remove_prefix(at + marker.size());
  };
  copy_to("@CSP@");
  out_ << ExploreContentSecurityPolicy();
  copy_to("@STYLE@");
  out_ << page.css;
  copy_to("@INDEX@");
  WriteIndex();
  copy_to("@SCRIPT@");
  out_ << page.js;
  copy_to("@CHUNKS@");
  WriteAttributeNames();
  spool_.CopyTo(out_);
  if (!suggestions_.Empty()) {
    out_ << "<script type=\"application/json\" id=\"zv-suggest\">";
    suggestions_.Write(out_);
    out_ << "</script>\n";
  }
  out_ << rest;
}
