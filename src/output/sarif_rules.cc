#include "output/sarif_rules.h"

namespace {

using S = FindingSubject;
using K = FindingKind;
using V = Verdict;

constexpr std::array<SarifRule, 28> kRules{{
    {"ZV101",
     "ClassNotInMappingTable",
     "class",
     "not_in_mapping_table",
     S::kClass,
     K::kNotInMappingTable,
     std::nullopt,
     V::kRed,
     "The mapping table has no row for the class.",
     "The mapping table has no class row for this class of the dictionary to migrate, so the run "
     "cannot migrate it; it proposes the class row and the attribute rows in the proposed mapping.",
     "Complete the proposed rows (target class, target parent and domain; target attributes) and "
     "merge them into the table with 'zorvez merge', or map the class to 'No Mapping'.",
     {{{"default",
        "'{0}' ({1}) has no class row in the mapping table, so the run does not migrate it. "
        "Complete the rows proposed for it and merge them into the table, or map it to 'No "
        "Mapping'."},
       {nullptr, nullptr}}}},
    {"ZV102",
     "ClassRowNamesNoTarget",
     "class",
     "badly_mapped",
     S::kClass,
     K::kBadlyMapped,
     std::nullopt,
     V::kRed,
     "The class row names no target class.",
     "The class row leaves the target class empty, or names what the run cannot take for a class "
     "(a domain code such as INS), so the class is not compared.",
     "Write the target class's key in the fourth column of the row and its parent in the fifth.",
     {{{"default",
        "The class row of '{0}' ({1}) names no {2} class, so the run does not compare the class. "
        "Write the target class's key in column 4 of the row and its parent in column 5."},
       {nullptr, nullptr}}}},
    {"ZV103",
     "ClassExplicitlyUnmapped",
     "class",
     "explicitly_unmapped",
     S::kClass,
     K::kExplicitlyUnmapped,
     std::nullopt,
     V::kOrange,
     "The table maps the class to 'No Mapping'.",
     "The class is left out of the migration on purpose; the attributes it retains, if any, are "
     "listed with it and its children lose them.",
     "Nothing, if the class is meant to be left out; otherwise map it to a target class.",
     {{{"default",
        "'{0}' ({1}) is mapped to 'No Mapping': the run leaves it out of the migration. Nothing to "
        "do if that is meant; otherwise map it to a target class."},
       {nullptr, nullptr}}}},
    {"ZV104",
     "ClassMapped",
     "class",
     "valid",
     S::kClass,
     K::kValid,
     std::nullopt,
     V::kGreen,
     "The class is mapped to a target class the target has.",
     "The class row names a target class that the target dictionary holds.",
     "Nothing to do.",
     {{{"default",
        "'{0}' ({1}) is mapped to '{2}', which the {3} dictionary holds. Nothing to do."},
       {nullptr, nullptr}}}},
    {"ZV105",
     "ClassNotInTarget",
     "class",
     "not_found_in_target",
     S::kClass,
     K::kNotFoundInTarget,
     std::nullopt,
     V::kBlue,
     "The target lacks the class the row names.",
     "The class row maps the class to a target class that the target dictionary lacks; the run "
     "proposes it as a new class in the proposed DDL.",
     "Load the proposed class into the target dictionary, or correct the row to name a target "
     "class that exists.",
     {{{"default",
        "The target lacks '{2}', the class the row of '{0}' ({1}) maps it to; the run proposes it "
        "as a new class. Load the proposed class into the target, or map the class to one that "
        "exists."},
       {"v5v5",
        "The V5B dictionary has no class '{0}' ({1}); the run proposes its rows for the mapping. "
        "Complete them, and provide the class in the V5A DDL."}}}},
    {"ZV106",
     "ClassUuidDiffers",
     "class",
     "uuid_differs",
     S::kClass,
     K::kUuidDiffers,
     std::nullopt,
     V::kBlue,
     "A target class of that name has another UUID.",
     "Comparing two V5 dictionaries, the target holds a class of this name whose UUID differs, so "
     "the run takes it for another class.",
     "Find out which class is meant, then give both the same UUID or map the class to the right "
     "one.",
     {{{"default",
        "The target holds a class named '{0}' ({1}) with another UUID, so the run takes it for "
        "another class. Find out which class is meant, then give both the same UUID or map the "
        "class to the right one."},
       {nullptr, nullptr}}}},
    {"ZV107",
     "ClassRowLacksDomain",
     "class",
     "domain_missing",
     S::kClass,
     K::kDomainMissing,
     std::nullopt,
     V::kPurple,
     "No class is proposed: the class row has no domain.",
     "The target lacks the class the row names, and the run proposes no class for it because the "
     "row gives no domain.",
     "Write the domain in the seventh column of the class row, followed by its comma.",
     {{{"default",
        "The target lacks '{2}', the class the row of '{0}' ({1}) maps it to, and no class is "
        "proposed: the class row gives no domain. Write the domain in column 7 of the class row, "
        "followed by its comma."},
       {nullptr, nullptr}}}},
    {"ZV108",
     "ClassParentNotMapped",
     "class",
     "parent_unknown",
     S::kClass,
     K::kParentUnknown,
     std::nullopt,
     V::kPurple,
     "No class is proposed: its parent is no row's target class.",
     "The target lacks the class the row names, and the run proposes no class for it because no "
     "row maps a class to the parent it names.",
     "Map the parent class first, or name a target parent that exists in the row's fifth column.",
     {{{"default",
        "The target lacks '{2}', the class the row of '{0}' ({1}) maps it to, and no class is "
        "proposed: its parent '{3}' is no row's target class. Map the parent class first, or name "
        "a target parent that exists in column 5 of the row."},
       {nullptr, nullptr}}}},
    {"ZV201",
     "AttributeOfClassNotInTable",
     "attribute",
     "not_in_mapping_table",
     S::kAttribute,
     K::kNotInMappingTable,
     std::nullopt,
     V::kRed,
     "An attribute of a class the mapping table does not name.",
     "The attribute's class has no class row, so neither has the attribute; its row is proposed in "
     "the proposed mapping.",
     "Complete the proposed attribute row with the target attribute and merge it with its class "
     "row.",
     {{{"default",
        "'{2}' ({3}) of '{0}' is not migrated: the mapping table has no class row for '{0}' ({1}). "
        "Complete the attribute row proposed for it and merge it with the class's rows."},
       {nullptr, nullptr}}}},
    {"ZV202",
     "AttributeOfClassNotInTarget",
     "attribute",
     "class_not_in_target",
     S::kAttribute,
     K::kClassNotInTarget,
     std::nullopt,
     V::kBlue,
     "An attribute of a class the target lacks.",
     "The attribute's class maps to a target class that the target dictionary lacks, so the "
     "attribute is proposed with the class, or not at all when the class is not proposed.",
     "Load the proposed class with its attributes, or map the class to a target class that exists.",
     {{{"default",
        "'{2}' ({3}) of '{0}' ({1}) has no target: its class maps to a class the target lacks. "
        "Load the proposed class with its attributes, or map '{0}' to a class that exists."},
       {nullptr, nullptr}}}},
    {"ZV203",
     "AttributeNotInTarget",
     "attribute",
     "not_found_in_target",
     S::kAttribute,
     K::kNotFoundInTarget,
     std::nullopt,
     V::kBlue,
     "The target class lacks the attribute the row names.",
     "The attribute row names an attribute that the target class lacks; the run proposes it in the "
     "proposed DDL.",
     "Load the proposed attribute into the target class, or correct the row to name an attribute "
     "that exists.",
     {{{"default",
        "The target class '{4}' lacks '{5}', the attribute the row of '{2}' ({3}) of '{0}' names; "
        "the run proposes it. Load the proposed attribute into '{4}', or correct the row to name "
        "an attribute that exists."},
       {nullptr, nullptr}}}},
    {"ZV204",
     "AttributeMapped",
     "attribute",
     "valid",
     S::kAttribute,
     K::kValid,
     std::nullopt,
     V::kGreen,
     "The attribute is found in the target as its row says.",
     "The attribute row names an attribute that the target class (or an ancestor) holds.",
     "Nothing to do.",
     {{{"default",
        "'{2}' ({3}) of '{0}' ({1}) is found in the target class '{4}' as its row says. Nothing to "
        "do."},
       {nullptr, nullptr}}}},
    {"ZV205",
     "AttributeRowNamesNoTarget",
     "attribute",
     "badly_mapped",
     S::kAttribute,
     K::kBadlyMapped,
     std::nullopt,
     V::kRed,
     "The attribute row names no target attribute.",
     "The attribute row leaves the target attribute empty, so the attribute is not compared.",
     "Write the target attribute's key in the sixth column of the row, or 'No Mapping' to leave "
     "the attribute out.",
     {{{"default",
        "The row of '{2}' of '{0}' ({1}) names no {3} attribute, so the run does not compare it. "
        "Write the target attribute's key in column 6 of the row, or 'No Mapping' to leave the "
        "attribute out."},
       {nullptr, nullptr}}}},
    {"ZV206",
     "AttributeRetained",
     "attribute",
     "retained",
     S::kAttribute,
     K::kRetained,
     std::nullopt,
     V::kOrange,
     "An attribute that an explicitly unmapped class retains.",
     "The class is mapped to 'No Mapping' but keeps this attribute; the class's children lose it.",
     "Nothing, if that is meant; otherwise map the attribute onto the children's target classes.",
     {{{"default",
        "'{2}' is kept by '{0}' ({1}), which is mapped to 'No Mapping', so the class's children "
        "lose it. Nothing to do if that is meant; otherwise map it onto the children's target "
        "classes."},
       {nullptr, nullptr}}}},
    {"ZV207",
     "AttributeWithoutRow",
     "attribute",
     "no_row",
     S::kAttribute,
     K::kNoRow,
     std::nullopt,
     V::kGrey,
     "No row of the class's block mentions the attribute.",
     "The class is mapped to a target class that exists, but no attribute row of its block names "
     "this attribute, so the run does not compare it at all; the defined report is silent about "
     "it.",
     "Add an attribute row below the class row, naming the target attribute or 'No Mapping'.",
     {{{"default",
        "No row of the block of '{0}' ({1}) names its attribute '{2}' ({3}), so the run does not "
        "compare it. Add an attribute row below the class row, naming the target attribute or 'No "
        "Mapping'."},
       {nullptr, nullptr}}}},
    {"ZV208",
     "AttributeRowDropped",
     "attribute",
     "dropped_row",
     S::kAttribute,
     K::kDroppedRow,
     std::nullopt,
     V::kGrey,
     "The run drops the attribute's row without a word.",
     "The attribute row names another target class than its class row's; the run then looks only "
     "in the first target class under the row's parent, finds no such attribute there, and writes "
     "nothing for the row.",
     "Name the class row's target class in the row, or a class under the row's parent that holds "
     "the attribute; 'zorvez lint' with the dictionaries lists such rows.",
     {{{"default",
        "The row of '{2}' ({3}) of '{0}' names '{4}' of '{5}', but the run looks for it only in "
        "'{7}', the first target class under '{6}', which lacks it: the row is dropped without a "
        "word. Name the class row's target class in the row, or a class under '{6}' that holds the "
        "attribute."},
       {"noParent",
        "The row of '{2}' ({3}) of '{0}' names '{4}' of '{5}', but no target class has the parent "
        "'{6}': the row is dropped without a word. Name the class row's target class in the row, "
        "or the parent of a target class that holds the attribute."}}}},
    {"ZV301",
     "ChildLosesAttributes",
     "child",
     "child_loses_attributes",
     S::kChild,
     K::kChildLosesAttributes,
     std::nullopt,
     V::kOrange,
     "A child class loses the attributes its unmapped parent retains.",
     "The class row's parent is an explicitly unmapped class that retains attributes, which the "
     "child therefore does not inherit in the target.",
     "Map the retained attributes onto the child's target class, or map the parent class.",
     {{{"default",
        "'{2}', a child of '{0}' ({1}), loses the attributes that '{0}' retains, since '{0}' is "
        "mapped to 'No Mapping'. Map the retained attributes onto the child's target class, or map "
        "'{0}' to a target class."},
       {nullptr, nullptr}}}},
    {"ZV401",
     "TableStartsWithByteOrderMark",
     "hazard",
     "bom",
     S::kClass,
     K::kValid,
     HazardCode::kBom,
     V::kRed,
     "The table starts with a byte-order mark.",
     "A byte-order mark before the first row becomes part of the first class name, so the run "
     "never finds that class.",
     "Drop the byte-order mark ('zorvez lint --fix' does), and save the table as UTF-8 without "
     "one.",
     {{{"default", "{0}. Drop the byte-order mark ('zorvez lint --fix' does)."},
       {nullptr, nullptr}}}},
    {"ZV402",
     "DomainEndsTheLine",
     "hazard",
     "domain_without_comma",
     S::kClass,
     K::kValid,
     HazardCode::kDomainWithoutComma,
     V::kRed,
     "A class row's domain ends the line.",
     "The class row has no comma after its domain (spreadsheets drop the comma that ends every "
     "row), so the reader keeps the line end on the domain, or finds none.",
     "Add the comma that ends the row ('zorvez lint --fix' does).",
     {{{"default", "{0}. Add the comma that ends the row ('zorvez lint --fix' does)."},
       {nullptr, nullptr}}}},
    {"ZV403",
     "EmptyDomainBeforeLineEnd",
     "hazard",
     "empty_domain",
     S::kClass,
     K::kValid,
     HazardCode::kEmptyDomain,
     V::kRed,
     "A class row's domain column is empty before the line end.",
     "The domain column is empty but followed by a comma (spreadsheets pad short rows), so the "
     "reader takes the line end as the domain and the class is not reported as lacking one.",
     "End the row after column 6 ('zorvez lint --fix' does), or write the domain.",
     {{{"default",
        "{0}. End the row after column 6 ('zorvez lint --fix' does), or write the domain."},
       {nullptr, nullptr}}}},
    {"ZV404",
     "TargetAttributeEndsTheLine",
     "hazard",
     "attribute_without_comma",
     S::kClass,
     K::kValid,
     HazardCode::kAttributeWithoutComma,
     V::kRed,
     "An attribute row's target attribute ends the line.",
     "The attribute row has no comma after its target attribute, so the reader keeps the line end "
     "on it and it equals no attribute of the target.",
     "Add the comma that ends the row ('zorvez lint --fix' does).",
     {{{"default", "{0}. Add the comma that ends the row ('zorvez lint --fix' does)."},
       {nullptr, nullptr}}}},
    {"ZV405",
     "CarriageReturnInValue",
     "hazard",
     "carriage_return",
     S::kClass,
     K::kValid,
     HazardCode::kCarriageReturn,
     V::kRed,
     "The carriage return of a CR LF line end stays in a value.",
     "The row ends with CR LF and no comma before it, so the reader keeps the carriage return in "
     "the row's last value, which then equals nothing it is compared with.",
     "End every line with LF alone ('zorvez lint --fix' does).",
     {{{"default", "{0}. End every line with LF alone ('zorvez lint --fix' does)."},
       {nullptr, nullptr}}}},
    {"ZV406",
     "EmptyColumnShiftsValues",
     "hazard",
     "empty_column",
     S::kClass,
     K::kValid,
     HazardCode::kEmptyColumn,
     V::kRed,
     "An empty column moves the values after it.",
     "The reader skips empty columns, so the values after one move a field forward and the row "
     "says something else than was written.",
     "Fill the column or remove it, so that every value stands in its own column.",
     {{{"default",
        "{0}. Fill the column or remove it, so that every value stands in its own column."},
       {nullptr, nullptr}}}},
    {"ZV407",
     "DuplicateClassRow",
     "hazard",
     "duplicate_class_row",
     S::kClass,
     K::kValid,
     HazardCode::kDuplicateClassRow,
     V::kRed,
     "A second class row for a class and parent is never read.",
     "The lookup takes the first class row of a class and parent; a later one, and what it says, "
     "is never read.",
     "Delete the row, or move what it says into the first class row of the class.",
     {{{"default",
        "{0}. Delete this row, or move what it says into the first class row of the class."},
       {nullptr, nullptr}}}},
    {"ZV408",
     "UnreachableAttributeRow",
     "hazard",
     "unreachable_attribute_row",
     S::kClass,
     K::kValid,
     HazardCode::kUnreachableAttributeRow,
     V::kRed,
     "No lookup reaches the attribute row.",
     "A class's attribute rows are read only from the line after its class row until the first row "
     "of another class; this one stands elsewhere, so its attribute is compared as if it had no "
     "row.",
     "Move the row into the rows after its class row ('zorvez lint --fix' does).",
     {{{"default",
        "{0}. Move the row into the rows after its class row ('zorvez lint --fix' does)."},
       {nullptr, nullptr}}}},
    {"ZV409",
     "AttributeRowWithoutClassRow",
     "hazard",
     "orphan_attribute_row",
     S::kClass,
     K::kValid,
     HazardCode::kOrphanAttributeRow,
     V::kRed,
     "An attribute row of a class without a class row.",
     "The table has no class row for the row's class, so no lookup ever reads the row.",
     "Add the class row above it, or delete the row.",
     {{{"default", "{0}. Add the class row above it, or delete the row."}, {nullptr, nullptr}}}},
    {"ZV410",
     "NameHoldsMarkup",
     "hazard",
     "markup_name",
     S::kClass,
     K::kValid,
     HazardCode::kMarkupName,
     V::kRed,
     "A name the defined report writes as markup.",
     "The defined report escapes nothing but '&', so a name holding '<' or '>' reaches a browser "
     "as HTML: a script in it runs, or the name disappears.",
     "Rename it without '<' and '>' where it is written; until then open the defined report of "
     "such a run only through 'zorvez explore', which shows names as text.",
     {{{"default",
        "{0}. Rename it without '<' and '>' where it is written, and open the defined report only "
        "through 'zorvez explore'."},
       {nullptr, nullptr}}}},
    {"ZV411",
     "RowTakesAnotherClassesExactLabel",
     "hazard",
     "exact_label_taken",
     S::kClass,
     K::kValid,
     HazardCode::kExactLabelTaken,
     V::kRed,
     "A class row maps onto the exact label of another class that no row maps.",
     "The row maps its class onto a target whose label is the exact label of another class of the "
     "dictionary to migrate, and no row maps that class: a slip as often as a choice. Only one row "
     "takes the target, and the row's own class is named otherwise.",
     "Check the row: where it is a slip, map its class where it belongs; map the class of that "
     "very name onto the target ('zorvez suggest' proposes it).",
     {{{"default", "{0}. Check the row, and map the class of that very name."},
       {nullptr, nullptr}}}},
}};

}  // namespace

std::span<const SarifRule> SarifRules() { return kRules; }

size_t SarifRuleIndex(FindingSubject subject, FindingKind kind) {
  for (size_t i = 0; i < kRules.size(); ++i) {
    if (!kRules[i].hazard && kRules[i].subject == subject && kRules[i].kind == kind) return i;
  }
  return 0;  // every subject and kind a comparison emits has its rule
}

size_t SarifHazardRuleIndex(HazardCode code) {
  for (size_t i = 0; i < kRules.size(); ++i) {
    if (kRules[i].hazard == code) return i;
  }
  return kRules.size() - 1;  // every hazard check reports has its rule
}

std::optional<size_t> SarifRuleNamed(std::string_view name) {
  for (size_t i = 0; i < kRules.size(); ++i) {
    const SarifRule& rule = kRules[i];
    const std::string_view record = rule.record;
    if (name == rule.id ||
        (name.size() == record.size() + 1 + std::string_view(rule.finding).size() &&
         name.starts_with(record) && name[record.size()] == '/' && name.ends_with(rule.finding))) {
      return i;
    }
  }
  return std::nullopt;
}

std::string SarifMessageText(const SarifRule& rule, std::string_view id,
                             const std::vector<std::string_view>& arguments) {
  std::string_view text = kGoneMessage.text;
  for (const SarifMessageString& message : rule.messages) {
    if (message.id != nullptr && id == message.id) text = message.text;
  }
  std::string formatted;
  formatted.reserve(text.size() + 64);
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t close = text[i] == '{' ? text.find('}', i) : std::string_view::npos;
    if (close == std::string_view::npos) {
      formatted += text[i];
      continue;
    }
    size_t index = 0;
    for (size_t digit = i + 1; digit < close; ++digit) index = index * 10 + (text[digit] - '0');
    if (index < arguments.size()) formatted += arguments[index];
    i = close;
  }
  return formatted;
}
