#include "lint/hazard.h"

#include <algorithm>

const char* HazardCodeName(HazardCode code) {
  switch (code) {
    case HazardCode::kBom:
      return "bom";
    case HazardCode::kUtf16:
      return "utf16";
    case HazardCode::kNotUtf8:
      return "not_utf8";
    case HazardCode::kNul:
      return "nul";
    case HazardCode::kDomainWithoutComma:
      return "domain_without_comma";
    case HazardCode::kEmptyDomain:
      return "empty_domain";
    case HazardCode::kCarriageReturn:
      return "carriage_return";
    case HazardCode::kAttributeWithoutComma:
      return "attribute_without_comma";
    case HazardCode::kQuotedField:
      return "quoted_field";
    case HazardCode::kWrongSeparator:
      return "wrong_separator";
    case HazardCode::kEmptyColumn:
      return "empty_column";
    case HazardCode::kShortRow:
      return "short_row";
    case HazardCode::kUncompletedRow:
      return "uncompleted_row";
    case HazardCode::kDuplicateClassRow:
      return "duplicate_class_row";
    case HazardCode::kUnreachableAttributeRow:
      return "unreachable_attribute_row";
    case HazardCode::kOrphanAttributeRow:
      return "orphan_attribute_row";
    case HazardCode::kUnknownSourceClass:
      return "unknown_source_class";
    case HazardCode::kUnknownSourceAttribute:
      return "unknown_source_attribute";
    case HazardCode::kUnknownTargetClass:
      return "unknown_target_class";
    case HazardCode::kUnknownTargetAttribute:
      return "unknown_target_attribute";
    case HazardCode::kDdlNameDiffers:
      return "ddl_name_differs";
    case HazardCode::kDomainCodeAsClass:
      return "domain_code_as_class";
    case HazardCode::kDroppedRow:
      return "dropped_row";
    case HazardCode::kMarkupName:
      return "markup_name";
    case HazardCode::kExactLabelTaken:
      return "exact_label_taken";
  }
  return "bom";
}

const char* SeverityName(HazardSeverity severity) {
  switch (severity) {
    case HazardSeverity::kError:
      return "error";
    case HazardSeverity::kWarning:
      return "warning";
    case HazardSeverity::kNote:
      return "note";
  }
  return "error";
}

bool ChangesWhatRunReads(HazardCode code) {
  switch (code) {
    case HazardCode::kBom:
    case HazardCode::kDomainWithoutComma:
    case HazardCode::kEmptyDomain:
    case HazardCode::kCarriageReturn:
    case HazardCode::kAttributeWithoutComma:
    case HazardCode::kEmptyColumn:
    case HazardCode::kUnreachableAttributeRow:
    case HazardCode::kOrphanAttributeRow:
    case HazardCode::kDuplicateClassRow:
      return true;
    default:
      return false;
  }
}

bool ConcernsWholeFile(HazardCode code) {
  return code == HazardCode::kBom || code == HazardCode::kUtf16;
}

bool CallsForWork(const Hazard& hazard) { return hazard.severity != HazardSeverity::kNote; }

void SortByPlace(Hazards& hazards) {
  std::stable_sort(hazards.begin(), hazards.end(), [](const Hazard& a, const Hazard& b) {
    if (a.file != b.file) return a.file < b.file;
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
}
