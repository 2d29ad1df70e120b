// What "Apply to table" writes: the rows of the decided items as suggest
// plans them through a merge (an item left open writes nothing, whatever
// the tool accepted for it), and, each only on its own confirmation, the
// table rows a decision replaces, which a merge never does. What cannot be
// written is said in suggest's words, with the row to write by hand.
#ifndef ZOR_REVIEW_TABLE_APPLY_H_
#define ZOR_REVIEW_TABLE_APPLY_H_

#include <string>
#include <vector>

#include "review/review_run.h"

struct ApplyPreview {
  // The rows a merge takes, in the table's form, by kind.
  std::vector<std::string> class_rows;
  std::vector<std::string> attribute_rows;
  std::vector<std::string> no_mapping_rows;
  // A table row a decision would replace: the table's line and text, and
  // the row in its place.
  struct Retarget {
    long line = 0;
    std::string item;  // "Check Valve", "Pump: Motor Power"
    std::string old_row;
    std::string new_row;
  };
  std::vector<Retarget> retargets;
  // The decided items whose row cannot be written, each in suggest's words.
  std::vector<std::string> unwritten;
  std::string rows_text;  // the rows a merge takes, each ending in a line end
  std::string stamp;      // tells this preview from any other

  bool Empty() const { return rows_text.empty() && retargets.empty(); }
};

ApplyPreview PreviewApply(const ReviewRun& run);

// The table's text with the confirmed retargets' lines replaced, each
// keeping its line end; empty with why in `problem` when a line no longer
// reads as the preview showed it.
std::string WithRetargets(const std::string& table,
                          const std::vector<ApplyPreview::Retarget>& retargets,
                          std::string& problem);

#endif  // ZOR_REVIEW_TABLE_APPLY_H_
