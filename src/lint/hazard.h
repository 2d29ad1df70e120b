// A hazard of the mapping table: something in how it is written that makes
// the run read it otherwise than its author meant, or read it not at all.
// Every analysis of the table (zorvez lint, the warnings of zorvez check)
// yields these; renderers decide how to show them.
#ifndef ZOR_LINT_HAZARD_H_
#define ZOR_LINT_HAZARD_H_

#include <string>
#include <vector>

enum class HazardCode {
  // encoding
  kBom,
  kUtf16,
  kNotUtf8,
  kNul,
  // form
  kDomainWithoutComma,
  kEmptyDomain,
  kAttributeWithoutComma,
  kCarriageReturn,
  kQuotedField,
  kWrongSeparator,
  kEmptyColumn,
  kShortRow,
  kUncompletedRow,
  // structure
  kDuplicateClassRow,
  kUnreachableAttributeRow,
  kOrphanAttributeRow,
  // names against the dictionaries
  kUnknownSourceClass,
  kUnknownSourceAttribute,
  kUnknownTargetClass,
  kUnknownTargetAttribute,
  kDdlNameDiffers,
  // what the run makes of the rows
  kDomainCodeAsClass,
  kDroppedRow,
  // names the defined report writes as markup
  kMarkupName,
  // a class row onto the exact label of another class that no row maps
  kExactLabelTaken,
};

enum class HazardSeverity { kError, kWarning, kNote };

// The file a hazard's line is in: the table, or (a name holding markup)
// the dictionary to migrate.
enum class HazardFile { kTable, kSource };

struct Hazard {
  HazardCode code;
  HazardSeverity severity;
  long line = 1;    // from 1
  long column = 1;  // from 1, in characters
  std::string message;
  std::string fix;  // what --fix does about it; empty when it is left to the user
  HazardFile file = HazardFile::kTable;
  // What the hazard concerns, never where: the class, parent and attribute
  // columns of its row as written, or the name holding markup and its
  // class. Moving the row leaves them as they are, so they name the hazard
  // from one run to the next (its fingerprint). Empty for the file as a
  // whole (a byte-order mark).
  std::vector<std::string> names = {};
};

using Hazards = std::vector<Hazard>;

const char* HazardCodeName(HazardCode code);
const char* SeverityName(HazardSeverity severity);

// The hazards that change what a run reads from the table, or leave a row
// it never reads (rather than stopping it or only risking a mismatch of
// names): zorvez check reports these as findings.
bool ChangesWhatRunReads(HazardCode code);

// Whether the hazard concerns the file as a whole rather than a row.
bool ConcernsWholeFile(HazardCode code);

// Errors and warnings call for work; notes do not.
bool CallsForWork(const Hazard& hazard);

// Ordered by file (the table first), line, then column, as a reader goes
// through the files.
void SortByPlace(Hazards& hazards);

#endif  // ZOR_LINT_HAZARD_H_
