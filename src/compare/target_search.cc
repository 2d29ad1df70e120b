#include "compare/target_search.h"

#include <deque>
#include <string>

#include "dictionary/parsed_line.h"

namespace {

bool NamesNoTargetClass(const PassProfile& profile, const ClassRowFields& row) {
  for (std::string_view code : profile.bad_mapping_codes) {
    if (row.target_class.Matches(code)) return row.source_attribute.Matches("*");
  }
  return false;
}

void AddBadlyMappedClass(PassState& pass, const MappedClass& mapped, const ClassRowFields& row) {
  Finding& finding =
      pass.state.batch.Add(FindingSubject::kClass, Verdict::kRed, FindingKind::kBadlyMapped);
  finding.dictionary = pass.profile.target_name;
  finding.target = TargetRef{"", row.target_class.str(), row.target_parent.str(), ""};
  finding.row = mapped.class_row;
}

void TraceFound(PassState& pass) {
  DevTrace(pass.state, {"      | FOUND in ", pass.profile.target_name, " XML!"});
}

// The V5/V5 pass also requires the same identity; a class that differs only
// in letter case of its UUID counts as the same.
bool IdentityAgrees(const PassState& pass, const SourceClass& source, const TargetClass& target) {
  return !pass.profile.v5v5 || source.uuid.Compare(target.uuid) != TextComparison::kDifferent;
}

// One "Bad mapping!" trace line for each of `count` target classes.
void TraceBadMappings(PassState& pass, bool bad_mapping, size_t count) {
  if (!bad_mapping || !pass.state.settings.dev_trace) return;
  for (size_t i = 0; i < count; ++i) DevTrace(pass.state, "Bad mapping!");
}

}  // namespace

ClassRowFields RawClassRowFields(std::string_view class_row) {
  std::deque<std::string> pool;
  ParsedLine line = ParseLine(class_row, pool);
  return {ZORUnicodeString(line.Raw(MappingColumn::kSourceClass)),
          ZORUnicodeString(line.Raw(MappingColumn::kSourceAttribute)),
          ZORUnicodeString(line.Raw(MappingColumn::kTargetClass)),
          ZORUnicodeString(line.Raw(MappingColumn::kTargetParent))};
}

// Gives the dev-trace lines of the walk over the target's classes in the
// same order: for every class looked at, its bad-mapping line, then for a
// candidate its FOUND line.
TargetSearch SearchTarget(PassState& pass, const MappedClass& mapped, const ClassRowFields& row) {
  DevTrace(pass.state, " &&&& checking v5 %%%%");
  const SourceClass& source = mapped.source;
  TargetSearch search;
  TargetClasses& targets = *pass.targets;
  const size_t count = targets.size();
  if (count == 0) return search;
  search.any_target_class = true;
  bool bad_mapping = NamesNoTargetClass(pass.profile, row);
  if (bad_mapping) AddBadlyMappedClass(pass, mapped, row);
  size_t traced = 0;
  for (size_t candidate : targets.Candidates(row.target_class.str(), row.target_parent.str())) {
    TraceBadMappings(pass, bad_mapping, candidate + 1 - traced);
    traced = candidate + 1;
    TraceFound(pass);
    const TargetClass& target = targets.Class(candidate);
    if (!IdentityAgrees(pass, source, target)) {
      search.identity_differs = true;
      continue;
    }
    search.found = true;
    search.target = target;
    return search;
  }
  TraceBadMappings(pass, bad_mapping, count - traced);
  return search;
}

const TargetClass* FirstTargetClassWithShortParent(PassState& pass,
                                                   const ZORUnicodeString& short_parent) {
  size_t position = pass.targets->FirstWithShortParent(short_parent.str());
  if (position == TargetClasses::kNone) return nullptr;
  return &pass.targets->Class(position);
}
