#include "output/sarif_rules.h"

#include <array>

namespace {

using S = FindingSubject;
using K = FindingKind;
using V = Verdict;

constexpr std::array<SarifRule, 17> kRules{{
    {S::kClass, K::kNotInMappingTable, V::kRed, "class/not_in_mapping_table",
     "The mapping table has no row for the class.",
     "The mapping table has no class row for this class of the dictionary to migrate, so the run "
     "cannot migrate it; it proposes the class row and the attribute rows in the proposed "
     "mapping.",
     "Complete the proposed rows (target class, target parent and domain; target attributes) and "
     "merge them into the table with 'zorvez merge', or map the class to 'No Mapping'."},
    {S::kClass, K::kBadlyMapped, V::kRed, "class/badly_mapped",
     "The class row names no target class.",
     "The class row leaves the target class empty, or names what the run cannot take for a "
     "class (a domain code such as INS), so the class is not compared.",
     "Write the target class's key in the fourth column of the row and its parent in the fifth."},
    {S::kClass, K::kExplicitlyUnmapped, V::kOrange, "class/explicitly_unmapped",
     "The table maps the class to 'No Mapping'.",
     "The class is left out of the migration on purpose; the attributes it retains, if any, are "
     "listed with it and its children lose them.",
     "Nothing, if the class is meant to be left out; otherwise map it to a target class."},
    {S::kClass, K::kValid, V::kGreen, "class/valid",
     "The class is mapped to a target class the target has.",
     "The class row names a target class that the target dictionary holds.", "Nothing to do."},
    {S::kClass, K::kNotFoundInTarget, V::kBlue, "class/not_found_in_target",
     "The target lacks the class the row names.",
     "The class row maps the class to a target class that the target dictionary lacks; the run "
     "proposes it as a new class in the proposed DDL.",
     "Load the proposed class into the target dictionary, or correct the row to name a target "
     "class that exists."},
    {S::kClass, K::kUuidDiffers, V::kBlue, "class/uuid_differs",
     "A target class of that name has another UUID.",
     "Comparing two V5 dictionaries, the target holds a class of this name whose UUID differs, "
     "so the run takes it for another class.",
     "Find out which class is meant, then give both the same UUID or map the class to the right "
     "one."},
    {S::kClass, K::kDomainMissing, V::kPurple, "class/domain_missing",
     "No class is proposed: the class row has no domain.",
     "The target lacks the class the row names, and the run proposes no class for it because the "
     "row gives no domain.",
     "Write the domain in the seventh column of the class row, followed by its comma."},
    {S::kClass, K::kParentUnknown, V::kPurple, "class/parent_unknown",
     "No class is proposed: its parent is no row's target class.",
     "The target lacks the class the row names, and the run proposes no class for it because no "
     "row maps a class to the parent it names.",
     "Map the parent class first, or name a target parent that exists in the row's fifth "
     "column."},
    {S::kAttribute, K::kNotInMappingTable, V::kRed, "attribute/not_in_mapping_table",
     "An attribute of a class the mapping table does not name.",
     "The attribute's class has no class row, so neither has the attribute; its row is "
     "proposed in the proposed mapping.",
     "Complete the proposed attribute row with the target attribute and merge it with its "
     "class row."},
    {S::kAttribute, K::kClassNotInTarget, V::kBlue, "attribute/class_not_in_target",
     "An attribute of a class the target lacks.",
     "The attribute's class maps to a target class that the target dictionary lacks, so the "
     "attribute is proposed with the class, or not at all when the class is not proposed.",
     "Load the proposed class with its attributes, or map the class to a target class that "
     "exists."},
    {S::kAttribute, K::kNotFoundInTarget, V::kBlue, "attribute/not_found_in_target",
     "The target class lacks the attribute the row names.",
     "The attribute row names an attribute that the target class lacks; the run proposes it in "
     "the proposed DDL.",
     "Load the proposed attribute into the target class, or correct the row to name an "
     "attribute that exists."},
    {S::kAttribute, K::kValid, V::kGreen, "attribute/valid",
     "The attribute is found in the target as its row says.",
     "The attribute row names an attribute that the target class (or an ancestor) holds.",
     "Nothing to do."},
    {S::kAttribute, K::kBadlyMapped, V::kRed, "attribute/badly_mapped",
     "The attribute row names no target attribute.",
     "The attribute row leaves the target attribute empty, so the attribute is not compared.",
     "Write the target attribute's key in the sixth column of the row, or 'No Mapping' to leave "
     "the attribute out."},
    {S::kAttribute, K::kRetained, V::kOrange, "attribute/retained",
     "An attribute that an explicitly unmapped class retains.",
     "The class is mapped to 'No Mapping' but keeps this attribute; the class's children lose "
     "it.",
     "Nothing, if that is meant; otherwise map the attribute onto the children's target "
     "classes."},
    {S::kAttribute, K::kNoRow, V::kGrey, "attribute/no_row",
     "No row of the class's block mentions the attribute.",
     "The class is mapped to a target class that exists, but no attribute row of its block "
     "names this attribute, so the run does not compare it at all; the defined report is "
     "silent about it.",
     "Add an attribute row below the class row, naming the target attribute or 'No Mapping'."},
    {S::kAttribute, K::kDroppedRow, V::kGrey, "attribute/dropped_row",
     "The run drops the attribute's row without a word.",
     "The attribute row names another target class than its class row's; the run then looks "
     "only in the first target class under the row's parent, finds no such attribute there, "
     "and writes nothing for the row.",
     "Name the class row's target class in the row, or a class under the row's parent that "
     "holds the attribute; 'zorvez lint' with the dictionaries lists such rows."},
    {S::kChild, K::kChildLosesAttributes, V::kOrange, "child/child_loses_attributes",
     "A child class loses the attributes its unmapped parent retains.",
     "The class row's parent is an explicitly unmapped class that retains attributes, which the "
     "child therefore does not inherit in the target.",
     "Map the retained attributes onto the child's target class, or map the parent class."},
}};

}  // namespace

std::span<const SarifRule> SarifRules() { return kRules; }

size_t SarifRuleIndex(FindingSubject subject, FindingKind kind) {
  for (size_t i = 0; i < kRules.size(); ++i) {
    if (kRules[i].subject == subject && kRules[i].kind == kind) return i;
  }
  return 0;  // every subject and kind a comparison emits has its rule
}
