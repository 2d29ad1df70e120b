#include "output/finding_names.h"

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kGreen:
      return "green";
    case Verdict::kBlue:
      return "blue";
    case Verdict::kRed:
      return "red";
    case Verdict::kOrange:
      return "orange";
    case Verdict::kPurple:
      return "purple";
    case Verdict::kGrey:
      return "grey";
  }
  return "green";
}

const char* FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::kNotInMappingTable:
      return "not_in_mapping_table";
    case FindingKind::kBadlyMapped:
      return "badly_mapped";
    case FindingKind::kExplicitlyUnmapped:
      return "explicitly_unmapped";
    case FindingKind::kValid:
      return "valid";
    case FindingKind::kNotFoundInTarget:
      return "not_found_in_target";
    case FindingKind::kUuidDiffers:
      return "uuid_differs";
    case FindingKind::kDomainMissing:
      return "domain_missing";
    case FindingKind::kParentUnknown:
      return "parent_unknown";
    case FindingKind::kClassNotInTarget:
      return "class_not_in_target";
    case FindingKind::kRetained:
      return "retained";
    case FindingKind::kChildLosesAttributes:
      return "child_loses_attributes";
    case FindingKind::kNoRow:
      return "no_row";
    case FindingKind::kDroppedRow:
      return "dropped_row";
  }
  return "valid";
}

std::optional<Verdict> VerdictNamed(std::string_view name) {
  for (Verdict verdict : {Verdict::kGreen, Verdict::kBlue, Verdict::kRed, Verdict::kOrange,
                          Verdict::kPurple, Verdict::kGrey}) {
    if (name == VerdictName(verdict)) return verdict;
  }
  return std::nullopt;
}

const char* SubjectName(FindingSubject subject) {
  switch (subject) {
    case FindingSubject::kClass:
      return "class";
    case FindingSubject::kAttribute:
      return "attribute";
    case FindingSubject::kChild:
      return "child";
  }
  return "class";
}
