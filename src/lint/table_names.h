// The names the table's rows give, held against the dictionaries: a row
// that names a class or attribute the dictionary lacks is never used, and
// most such names are a slip of case, blanks or spelling. With both
// dictionaries, the rows the run reads and then drops are found too.
#ifndef ZOR_LINT_TABLE_NAMES_H_
#define ZOR_LINT_TABLE_NAMES_H_

#include <string>
#include <vector>

#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "lint/dropped_rows.h"
#include "lint/hazard.h"
#include "merge/dictionary_names.h"
#include "merge/text_lines.h"

class TableNames {
 public:
  // Either root may be null: its names are then not checked. The roots
  // must outlive the scans. With both, `more` finds more hazards in each
  // class's findings.
  TableNames(const PassProfile& profile, MigrationXMLNode* source_root,
             MigrationXMLNode* target_root, BatchHazards more = {});

  // `text` is the table whose lines these are; the scan of dropped rows
  // borrows it and gives it back unchanged.
  void Scan(const std::vector<TextLine>& lines, std::string& text, Hazards& hazards) const;

 private:
  void ScanClassRow(const std::vector<std::string>& fields, long line, Hazards& hazards) const;
  void ScanTargetClass(const std::vector<std::string>& fields, long line, Hazards& hazards) const;
  void ScanAttributeRow(const std::vector<std::string>& fields, long line, Hazards& hazards) const;

  const PassProfile& profile_;
  MigrationXMLNode* source_root_;
  MigrationXMLNode* target_root_;
  DictionaryNames source_;
  DictionaryNames target_;
  BatchHazards more_;
};

#endif  // ZOR_LINT_TABLE_NAMES_H_
