// The names the defined report writes as markup: it escapes nothing but
// '&', so a name holding '<' or '>' reaches a browser as HTML (a script
// runs, a name disappears). Found here, where the report's lines are made,
// for zorvez check and zorvez lint alike.
#ifndef ZOR_OUTPUT_REPORT_MARKUP_H_
#define ZOR_OUTPUT_REPORT_MARKUP_H_

#include "compare/finding.h"
#include "lint/hazard.h"

// Appends a markup_name hazard for each name of the class's findings that
// holds markup and that the report's lines show, once per name and class.
// Each is placed where the name can be changed: a name of the dictionary to
// migrate at its element there (the attribute's own, else the class's), the
// others at the table row that decided the finding.
void FindMarkupNames(const ClassFindings& batch, bool v5v5, Hazards& found);

#endif  // ZOR_OUTPUT_REPORT_MARKUP_H_
