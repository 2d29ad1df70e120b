// The values one class examination works on.
#ifndef ZOR_COMPARE_CLASS_RECORD_H_
#define ZOR_COMPARE_CLASS_RECORD_H_

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "compare/finding.h"
#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "text/zor_string.h"

// A source class as read at the start of its examination; names unescaped.
struct SourceClass {
  MigrationXMLNode* node = nullptr;
  ZORUnicodeString label;
  ZORUnicodeString key;
  ZORUnicodeString parent;
  ZORUnicodeString short_parent;
  ZORUnicodeString uuid;     // V5/V5 pass only
  ZORUnicodeString domain;   // V5/V5 pass only
  ZORUnicodeString creator;  // V5/V5 pass only
};

// A target class looked at while the target is searched; names unescaped,
// creator and UUID as read.
struct TargetClass {
  MigrationXMLNode* node = nullptr;
  size_t position = 0;  // in document order among the target's classes
  ZORUnicodeString label;
  ZORUnicodeString key;
  ZORUnicodeString parent;
  ZORUnicodeString short_parent;
  ZORUnicodeString creator;
  ZORUnicodeString uuid;
};

// An attribute definition of a target class; names unescaped. The views
// point into the target document, or into the pool handed to the reader for
// names that unescaping changed.
struct TargetAttribute {
  std::string_view label;
  std::string_view key;
};

// What the examination of a mapped class hands on once its class row is
// known.
struct MappedClass {
  SourceClass source;
  ZORUnicodeString map_domain;
  // The name the table's first column gives the class: its label in the
  // V4/V5 pass, its key in the V5/V5 pass.
  ZORUnicodeString row_name;
  // The class row, for findings that name it.
  std::optional<TableRowRef> class_row;
  // The class row as written, with its line end, in the table's text.
  std::string_view class_row_text;
  // Where the rows after the class row begin: the class's own rows are read
  // from there.
  long following_rows = 0;
};

SourceClass ReadSourceClass(const PassProfile& profile, MigrationXMLNode* node);
TargetClass ReadTargetClass(const PassProfile& profile, MigrationXMLNode* node, size_t position);
TargetAttribute ReadTargetAttribute(const PassProfile& profile, MigrationXMLNode* node,
                                    std::deque<std::string>& pool);

// The name the mapping table's first column uses for `source`.
const ZORUnicodeString& RowNameOf(const PassProfile& profile, const SourceClass& source);

#endif  // ZOR_COMPARE_CLASS_RECORD_H_
