// Writes the explorer page: one self-contained HTML file (inline style,
// script and data; nothing fetched) that shows the findings of a comparison
// as totals, a list to filter, search and group, and each class's attribute
// findings on demand.
//
// Records stream in and are turned into compact text at once; only a short
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

struct ExplorePageOptions {
  std::string sourceName;  // the inputs, as shown on the page
  std::string targetName;
  std::string mappingName;
  bool v5v5 = false;
  bool oldFormat = false;
  std::string reportPath;        // the defined report as the user named it; empty: no links
  size_t classesPerChunk = 256;  // how many classes' findings the page parses at once
};

class ExplorePageWriter {
 public:
  // Throws std::runtime_error when no scratch file can be made.
  ExplorePageWriter(std::ostream& out, const ExplorePageOptions& options);

  // Takes one finding record (class, attribute, child or summary). An
  // attribute or child record belongs to the class record before it; one
  // that comes before any class record, and a record of an unknown kind,
  // are left out.
  void Add(const nlohmann::json& record);

  // Writes the page. Throws std::runtime_error when the scratch file fails.
  void Finish();

 private:
  struct ClassLine {
    std::string head;        // verdict, kind, label, key, parent and section, encoded
    uint32_t itemKinds = 0;  // bit k: an attribute or child finding of kind k
    uint32_t items = 0;
  };

  void AddClass(const nlohmann::json& record);
  void AddAttribute(const nlohmann::json& record);
  void AddChild(const nlohmann::json& record);
  // Opens an attribute (0) or child (1) item with its verdict and kind;
  // returns the kind's code.
  size_t AppendItemHead(int item_type, const nlohmann::json& record);
  void NoteItem(size_t kind);
  void CloseChunk();
  void FlushPending(bool always);
  void WriteIndex();

  std::ostream& out_;
  ExplorePageOptions options_;
  ChunkSpool spool_;
  std::string pending_;  // spool text not yet written
  CodeTable verdicts_;
  CodeTable kinds_;
  CodeTable sections_;
  std::vector<ClassLine> classes_;
  std::string summary_ = "null";
  size_t chunks_ = 0;
  size_t classesInChunk_ = 0;
  bool chunkOpen_ = false;
  bool finished_ = false;
};

#endif  // ZOR_EXPLORE_EXPLORE_PAGE_WRITER_H_
