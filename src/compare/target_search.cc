#include "compare/target_search.h"

#include "dictionary/element_walk.h"
#include "dictionary/parsed_line.h"

namespace {

bool NamesNoTargetClass(const PassProfile& profile, const ClassRowFields& row) {
  for (std::string_view code : profile.badMappingCodes) {
    if (row.targetClass.Matches(code)) return row.sourceAttribute.Matches("*");
  }
  return false;
}

void AddBadlyMappedClass(PassState& pass, const MappedClass& mapped, const ClassRowFields& row) {
  Finding& finding =
      pass.state.batch.Add(FindingSubject::kClass, Verdict::kRed, FindingKind::kBadlyMapped);
  finding.dictionary = pass.profile.targetName;
  finding.target = TargetRef{"", row.targetClass.str(), row.targetParent.str(), ""};
  finding.row = mapped.classRow;
}

void TraceFound(PassState& pass) {
  DevTrace(pass.state, {"      | FOUND in ", pass.profile.targetName, " XML!"});
}

// The V5/V5 pass also requires the same identity; a class that differs only
// in letter case of its UUID counts as the same.
bool IdentityAgrees(const PassState& pass, const SourceClass& source, const TargetClass& target) {
  return !pass.profile.v5v5 || source.uuid.Compare(target.uuid) != ZORUnicodeString::kDifferent;
}

TargetSearch SearchTargetLinearly(PassState& pass, const MappedClass& mapped,
                                  const ClassRowFields& row) {
  const SourceClass& source = mapped.source;
  TargetSearch search;
  bool bad_mapping = NamesNoTargetClass(pass.profile, row);
  size_t position = 0;
  ForEachElement(pass.state.targetRoot, "Class", [&](MigrationXMLNode* node) {
    TargetClass target = ReadTargetClass(pass.profile, node, position++);
    if (bad_mapping) {
      DevTrace(pass.state, "Bad mapping!");
      if (!search.anyTargetClass) AddBadlyMappedClass(pass, mapped, row);
    }
    search.anyTargetClass = true;
    if (CounterpartKey(pass.profile, target) !=
        std::pair<std::string_view, std::string_view>(row.targetClass, row.targetParent)) {
      return true;
    }
    TraceFound(pass);
    if (!IdentityAgrees(pass, source, target)) {
      search.identityDiffers = true;
      return true;
    }
    search.found = true;
    search.target = std::move(target);
    return false;
  });
  return search;
}

// One "Bad mapping!" trace line for each of `count` target classes.
void TraceBadMappings(PassState& pass, bool bad_mapping, size_t count) {
  if (!bad_mapping || !pass.state.settings.devTrace) return;
  for (size_t i = 0; i < count; ++i) DevTrace(pass.state, "Bad mapping!");
}

// Gives the dev-trace lines of the walk in the same order: for every class
// looked at, its bad-mapping line, then for a candidate its FOUND line.
TargetSearch SearchTargetIndexed(PassState& pass, const MappedClass& mapped,
                                 const ClassRowFields& row) {
  const SourceClass& source = mapped.source;
  TargetSearch search;
  const TargetCatalog& catalog = *pass.targets;
  if (catalog.size() == 0) return search;
  search.anyTargetClass = true;
  bool bad_mapping = NamesNoTargetClass(pass.profile, row);
  if (bad_mapping) AddBadlyMappedClass(pass, mapped, row);
  size_t traced = 0;
  for (size_t candidate : catalog.Candidates(row.targetClass.str(), row.targetParent.str())) {
    TraceBadMappings(pass, bad_mapping, candidate + 1 - traced);
    traced = candidate + 1;
    TraceFound(pass);
    if (!IdentityAgrees(pass, source, catalog.Class(candidate))) {
      search.identityDiffers = true;
      continue;
    }
    search.found = true;
    search.target = catalog.Class(candidate);
    return search;
  }
  TraceBadMappings(pass, bad_mapping, catalog.size() - traced);
  return search;
}

}  // namespace

ClassRowFields RawClassRowFields(const ZORUnicodeString& class_row) {
  std::deque<std::string> pool;
  ParsedLine line = ParseLine(class_row.str(), pool);
  return {ZORUnicodeString(line.Raw(MappingColumn::kSourceClass)),
          ZORUnicodeString(line.Raw(MappingColumn::kSourceAttribute)),
          ZORUnicodeString(line.Raw(MappingColumn::kTargetClass)),
          ZORUnicodeString(line.Raw(MappingColumn::kTargetParent))};
}

TargetSearch SearchTarget(PassState& pass, const MappedClass& mapped, const ClassRowFields& row) {
  DevTrace(pass.state, " &&&& checking v5 %%%%");
  return pass.targets ? SearchTargetIndexed(pass, mapped, row)
                      : SearchTargetLinearly(pass, mapped, row);
}

std::optional<TargetClass> FirstTargetClassWithShortParent(PassState& pass,
                                                           const ZORUnicodeString& short_parent) {
  if (pass.targets) {
    size_t position = pass.targets->FirstWithShortParent(short_parent.str());
    if (position == TargetCatalog::kNone) return std::nullopt;
    return pass.targets->Class(position);
  }
  std::optional<TargetClass> first;
  size_t position = 0;
  ForEachElement(pass.state.targetRoot, "Class", [&](MigrationXMLNode* node) {
    TargetClass target = ReadTargetClass(pass.profile, node, position++);
    if (!target.shortParent.Equals(short_parent)) return true;
    first = std::move(target);
    return false;
  });
  return first;
}

const std::vector<TargetAttribute>& TargetAttributes(PassState& pass, const TargetClass& target) {
  if (pass.targets) return pass.targets->Attributes(target.position);
  pass.linearAttributes.clear();
  pass.linearAttributePool.clear();
  ForEachElement(target.node, "Simple", [&](MigrationXMLNode* node) {
    pass.linearAttributes.push_back(
        ReadTargetAttribute(pass.profile, node, pass.linearAttributePool));
    return true;
  });
  return pass.linearAttributes;
}
