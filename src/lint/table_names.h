// The names the table's rows give, held against the dictionaries: a row
// that names a class or attribute the dictionary lacks is never used, and
// most such names are a slip of case, blanks or spelling.
#ifndef ZOR_LINT_TABLE_NAMES_H_
#define ZOR_LINT_TABLE_NAMES_H_

#include <map>
#include <string>
#include <vector>

#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "lint/hazard.h"
#include "merge/text_lines.h"
#include "text/name_hints.h"

class TableNames {
 public:
  // Either root may be null: its names are then not checked.
  TableNames(const PassProfile& profile, MigrationXMLNode* source_root,
             MigrationXMLNode* target_root);

  void Scan(const std::vector<TextLine>& lines, Hazards& hazards) const;

 private:
  struct SourceClassNames {
    std::vector<std::string> parents;
    NameHints attributes;
  };

  void ScanClassRow(const std::vector<std::string>& fields, long line, Hazards& hazards) const;
  void ScanAttributeRow(const std::vector<std::string>& fields, long line,
                        Hazards& hazards) const;

  const PassProfile& profile_;
  bool haveSource_ = false;
  bool haveTarget_ = false;
  NameHints sourceClasses_;
  std::map<std::string, SourceClassNames> sourceByName_;
  NameHints targetClasses_;
  std::map<std::string, NameHints> targetAttributes_;
};

#endif  // ZOR_LINT_TABLE_NAMES_H_
