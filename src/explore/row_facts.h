// What the explorer page's export needs to write a reviewer's decision (a
// candidate, a typed key or No Mapping) as the row `zorvez suggest` writes
// for it, decided here by the rules of suggestion_run/row_rules.h and carried
// as data, so that the page only picks the pieces a decision names and joins
// them. Each is a JSON object of the fields that say more than the plain
// case, or empty where none does:
//
//   a source class: h its row head "NAME,PARENT," where spelled otherwise
//     than its row names with commas; n why no row of it can be written;
//     and where it has a class item, d the domain column its class row takes
//     where the table gives its target's parent none, m its No Mapping row;
//   an attribute item: l its label where spelled otherwise; n why no row
//     can hold it;
//   a target class: t "NAME,PARENT," as rows name it where that is not
//     "KEY,PARENT_KEY,"; d the domain column the table gives its row parent;
//     n why no row can name it; w why no row can tell it from another class
//     of its key; r, where the lookup of an attribute row naming it finds
//     another class (its attributes are then within reach only of a class
//     row naming it), why an attribute row cannot reach it, with two blanks
//     (kNoteBlank) for the attribute's key and its class's target;
//   a target attribute key: its spelling where it differs, or why no row
//     can hold it.
// Beside them the block carries the words for an attribute whose class has
// no target yet ("classFirst").
#ifndef ZOR_EXPLORE_ROW_FACTS_H_
#define ZOR_EXPLORE_ROW_FACTS_H_

#include <string>
#include <string_view>

#include "suggestion_run/row_rules.h"

// Why no row can hold `value`, as the export's notes end: the value is
// empty, or holds a comma or a line end.
std::string UnwritableNote(std::string_view value);

struct SourceClassRow {
  std::string_view name;    // as the table's rows name the class, or its label
  std::string_view parent;  // likewise
  bool has_class_item = false;
};
std::string SourceClassFacts(const SourceClassRow& row, const RowDomains& domains,
                             std::string_view fallback_domain);

std::string AttributeFacts(std::string_view label);

struct TargetClassRow {
  std::string_view key;
  std::string_view parent_key;
  std::string_view name;       // as a row names it
  std::string_view parent;     // likewise
  bool key_shared = false;     // another class of the target has its key
  std::string_view looked_up;  // the first class under its parent: the lookup finds it
};
std::string TargetClassFacts(const TargetClassRow& row, const RowDomains& domains);

// A blank in a note that the page fills with a name: a character no name
// read from XML can hold.
inline constexpr std::string_view kNoteBlank = "\x01";

// A target attribute key's spelling in a row, or empty where it is spelled
// as it is; and why no row can hold it, or empty.
std::string SpelledKey(std::string_view key);
std::string KeyNote(std::string_view key);

#endif  // ZOR_EXPLORE_ROW_FACTS_H_
