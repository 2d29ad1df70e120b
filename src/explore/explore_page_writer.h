// Writes the explorer page: one self-contained HTML file (inline style,
// script and data; nothing fetched) that shows the findings of a comparison
// as totals, a list to filter, search and group, and each class's attribute
// findings on demand.
//
// Findings stream in, as finding records (Add) or straight from a comparison
// (ExploreFindingSink, through the primitives below), and are turned into
// compact text at once; only a short
// line per class is kept until Finish, and the attribute findings wait in a
// scratch file, because the page puts the class index and its script before
// them so that the browser shows the list before it has read the bulk.
#ifndef ZOR_EXPLORE_EXPLORE_PAGE_WRITER_H_
#define ZOR_EXPLORE_EXPLORE_PAGE_WRITER_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "explore/chunk_spool.h"
#include "explore/code_table.h"
#include "explore/suggestion_block.h"

struct ExplorePageOptions {
  std::string source_name;  // the inputs, as shown on the page
  std::string target_name;
  std::string mapping_name;
  bool v5v5 = false;
  bool old_format = false;
  std::string report_path;         // the defined report as the user named it; empty: no links
  size_t classes_per_chunk = 256;  // how many classes' findings the page parses at once
};

class ExplorePageWriter {
 public:
  // Throws std::runtime_error when no scratch file can be made.
  ExplorePageWriter(std::ostream& out, const ExplorePageOptions& options);

  // Takes one finding record (class, attribute, child or summary); the
  // suggestions go to Suggestions(). An
  // attribute or child record belongs to the class record before it; one
  // that comes before any class record, and a record of an unknown kind,
  // are left out.
  void Add(const nlohmann::json& record);

  // Writes the page. Throws std::runtime_error when the scratch file fails.
  void Finish();

  // The primitives Add is made of, for a front end that has the findings
  // themselves. BeginClass and BeginItem write the head of a class or of an
  // attribute (type 0) or child (type 1) item and return the buffer its
  // remaining members go to, in the order finding_encoding.h gives; an item
  // ends with EndItem. BeginItem writes the item's label, and an attribute's
  // key, itself: they are also what the page's search looks through. SetSummary takes the summary
  // record as script-safe JSON.
  std::string& BeginClass(std::string_view verdict, std::string_view kind, std::string_view label,
                          std::string_view key, std::string_view parent, std::string_view section);
  std::string& BeginItem(int item_type, std::string_view verdict, std::string_view kind,
                         std::string_view label, std::string_view key);
  void EndItem();
  void SetSummary(std::string summary) { summary_ = std::move(summary); }
  // Hands buffered text to the scratch file once there is enough of it.
  void Flush() { FlushPending(false); }
  // The suggestions to review in the page; the page leaves them out while
  // there are none, and is then the page it always was.
  SuggestionBlock& Suggestions() { return suggestions_; }
  // Whether an item would have a class to belong to.
  bool HasClass() const { return !classes_.empty(); }

 private:
  struct ClassLine {
    std::string head;            // verdict, kind, label, key, parent and section, encoded
    uint32_t item_kinds = 0;     // bit k: an attribute or child finding of kind k
    uint32_t item_verdicts = 0;  // bit v: an attribute or child finding of verdict v
    uint32_t items = 0;
    std::string attribute_names;  // "label\nkey\n" of each attribute finding, for the search
  };

  void AddClass(const nlohmann::json& record);
  void AddAttribute(const nlohmann::json& record);
  void AddChild(const nlohmann::json& record);
  void CloseChunk();
  void FlushPending(bool always);
  void WriteIndex();
  void WriteAttributeNames();

  std::ostream& out_;
  ExplorePageOptions options_;
  ChunkSpool spool_;
  SuggestionBlock suggestions_;
  std::string pending_;  // spool text not yet written
  CodeTable verdicts_;
  CodeTable kinds_;
  CodeTable sections_;
  std::vector<ClassLine> classes_;
  std::string summary_ = "null";
  size_t chunks_ = 0;
  size_t classes_in_chunk_ = 0;
  size_t item_kind_ = 0;  // the kind and verdict of the item begun last
  size_t item_verdict_ = 0;
  bool chunk_open_ = false;
  bool finished_ = false;
};

#endif  // ZOR_EXPLORE_EXPLORE_PAGE_WRITER_H_
