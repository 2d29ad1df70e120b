// The attribute rows the run reads and then drops without a word: a row
// naming a target class other than its class row's, whose attribute the run
// looks for in one class only and does not find. Which rows those are
// follows from every lookup of the comparison, so the comparison itself
// finds them, as zorvez check reports them (finding dropped_row).
#ifndef ZOR_LINT_DROPPED_ROWS_H_
#define ZOR_LINT_DROPPED_ROWS_H_

#include <functional>
#include <string>

#include "compare/finding.h"
#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "lint/hazard.h"

// More hazards found in each class's findings (the names the defined report
// writes as markup, which its renderer knows), by the one comparison run
// that finds the dropped rows.
using BatchHazards = std::function<void(const ClassFindings& batch, Hazards& hazards)>;

// Adds a dropped_row hazard for each such row of `table_text`, read as the
// run reads it (up to a NUL byte) against the two loaded dictionaries, and
// those `more` finds. The text is lent to the comparison and given back as
// it was, in the same buffer where it has room for the run's line end
// (views into it stay good), so that a large table is not held twice.
void ScanDroppedRows(const PassProfile& profile, MigrationXMLNode* source_root,
                     MigrationXMLNode* target_root, std::string& table_text, Hazards& hazards,
                     const BatchHazards& more = {});

#endif  // ZOR_LINT_DROPPED_ROWS_H_
