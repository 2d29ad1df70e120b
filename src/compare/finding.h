// What a comparison decides, as plain data: one batch per source class,
// holding the class's findings in the order the report shows them and what
// was proposed for it. Renderers turn batches into the report, the proposed
// DDL, the proposed mapping, JSON Lines or terminal text.
#ifndef ZOR_COMPARE_FINDING_H_
#define ZOR_COMPARE_FINDING_H_

#include <optional>
#include <string>
#include <vector>

// The colours of the usage screen. A blue class that gets no proposal for
// a stated reason is purple. Grey is zorvez's own, for attributes the table
// has no row for; the defined report never shows it.
enum class Verdict { kGreen, kBlue, kRed, kOrange, kPurple, kGrey };

enum class FindingSubject { kClass, kAttribute, kChild };

enum class FindingKind {
  kNotInMappingTable,     // class or attribute of a class without a class row
  kBadlyMapped,           // the row names no target class or attribute
  kExplicitlyUnmapped,    // "No Mapping"
  kValid,                 // found in the target as the row says
  kNotFoundInTarget,      // class or attribute the target lacks
  kUuidDiffers,           // a target class of that name has another identity
  kDomainMissing,         // no proposal: the class row has no domain
  kParentUnknown,         // no proposal: no row names the parent as a target class
  kClassNotInTarget,      // an attribute of a class the target lacks
  kRetained,              // an attribute an unmapped class keeps
  kChildLosesAttributes,  // a child of an unmapped class that retains attributes
  kNoRow,                 // an attribute of a class mapped to a found target class that
                          // no row of the class's block mentions (zorvez only)
  kDroppedRow,            // an attribute whose row names another target class, where the
                          // run's one look finds no such attribute: nothing is written
                          // (zorvez only)
};

// An unmapped class with nothing retained is listed at the report's end.
enum class ReportSection { kBody, kRequestedUnmapped };

struct TableRowRef {
  long line = 0;     // 1-based line of the mapping table
  std::string text;  // the row as written, without its line end
};

struct TargetRef {
  std::string label;
  std::string key;
  std::string parent;
  std::string target_class;  // attributes: the target class they belong to
};

struct Finding {
  FindingSubject subject = FindingSubject::kClass;
  Verdict verdict = Verdict::kGreen;
  FindingKind kind = FindingKind::kValid;
  ReportSection section = ReportSection::kBody;
  // Attributes: the names the report line gives (a valid attribute is
  // named by its target). Children: the child class in `label`.
  std::string label;
  std::string key;
  // Text the line shows besides the names: the target label of a valid
  // class, the parent the table names, a table field, a retained line.
  std::string detail;
  // How the line names the target dictionary ("V5" or "V5B").
  const char* dictionary = "V5";
  std::optional<TargetRef> target;
  std::optional<TableRowRef> row;
  // An attribute of the dictionary to migrate: the line of its own element
  // there; 0 for the rest (a retained attribute, named by a row; a child).
  long source_line = 0;
  bool proposed_in_ddl = false;
  std::vector<std::string> proposed_rows;  // mapping rows proposed for this finding
};

struct DdlClassHead {
  std::string name;
  std::string display_name;
  std::string superclass;
  std::string creator;
  std::string domain;
};

struct DdlAttribute {
  std::string name;
  std::string display_name;
  std::string creator;
  std::string type;
  std::string default_value;
  std::string domain;
};

// A class proposed whole ends each attribute element with a blank line; an
// attribute added to an existing class does not.
enum class AttributeEnding { kBlankLine, kSingleLine };

struct ProposedDdlClass {
  DdlClassHead head;
  std::vector<DdlAttribute> attributes;
  AttributeEnding ending = AttributeEnding::kSingleLine;
};

struct ClassFindings {
  std::string label;
  std::string key;
  std::string parent;
  long source_line = 0;  // of the class element in the dictionary to migrate; 0 when unknown
  std::vector<Finding> findings;
  std::optional<ProposedDdlClass> ddl;
  std::vector<std::string> mapping_rows;  // proposed rows with their line ends, as written

  void Clear();
  Finding& Add(FindingSubject subject, Verdict verdict, FindingKind kind);
};

// Receives the batch of every source class, in document order.
class FindingSink {
 public:
  virtual ~FindingSink() = default;
  virtual void Accept(const ClassFindings& batch) = 0;
};

// Hands every batch to one sink, then to a second where there is one: a
// command that also reads the findings for itself compares once.
class BothSinks : public FindingSink {
 public:
  BothSinks(FindingSink& first, FindingSink* second) : first_(first), second_(second) {}
  void Accept(const ClassFindings& batch) override {
    first_.Accept(batch);
    if (second_ != nullptr) second_->Accept(batch);
  }

 private:
  FindingSink& first_;
  FindingSink* second_;
};

// The totals the report's end and the summary give.
struct ComparisonTotals {
  long total_classes = 0;
  long new_classes_suggested = 0;
  long unmapped_requested = 0;
  long attributes_without_row = 0;  // no_row findings; only when rows are referenced
  long dropped_rows = 0;            // dropped_row findings; only when rows are referenced
};

#endif  // ZOR_COMPARE_FINDING_H_
