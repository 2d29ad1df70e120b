#include "suggest/target_claims.h"

#include <algorithm>

#include "suggest/name_similarity.h"

TargetClaims::TargetClaims(const MatchContext& context)
    : context_(context),
      holders_(context.vocabulary.size()),
      settled_(context.source_names.size(), kUnsettled) {
  for (size_t s = 0; s < settled_.size(); ++s) {
    if (context.source_anchor[s] >= 0)
      settled_[s] = static_cast<uint32_t>(context.source_anchor[s]);
  }
  for (size_t s = 0; s < context.source_names.size(); ++s) {
    const ClassNames& names = context.source_names[s];
    for (const NameProfile* name : {&names.label, &names.key}) {
      for (uint32_t word : name->words()) {
        std::vector<uint32_t>& list = holders_[word];
        if (list.empty() || list.back() != s) list.push_back(static_cast<uint32_t>(s));
      }
    }
  }
}

void TargetClaims::Settle(size_t source, size_t target) {
  if (source < settled_.size()) settled_[source] = static_cast<uint32_t>(target);
}

// A class whose name holds every word of the item's is a kind or a part of
// it ("urinary bladder muscularis mucosa" of "urinary bladder mucosa"): the
// item stands nearer to any target both could claim.
bool TargetClaims::Narrower(const ClassNames& other, const ClassNames& item) const {
  return WordsCover(other.label, item.label, context_.class_links, context_.linking_words,
                    context_.Uses(kSignalStemsKept))
      .target;
}

bool TargetClaims::OthersClaim(size_t source, size_t target) const {
  const ClassNames& t = context_.target_names[target];
  for (const NameProfile* name : {&t.label, &t.key}) {
    if (name->empty() || (name == &t.key && !t.key_differs)) continue;
    // The classes that hold the target's rarest word are the ones asked
    // (a link may stand for a word, but seldom for the rarest); when
    // hundreds hold even that one, the target is everyone's.
    const auto words = name->words();
    const uint32_t rarest = *std::min_element(
        words.begin(), words.end(),
        [&](uint32_t a, uint32_t b) { return holders_[a].size() < holders_[b].size(); });
    if (holders_[rarest].size() > context_.weights.classes.most_claimants_asked) return true;
    for (uint32_t other : holders_[rarest]) {
      if (other == source) continue;
      if (settled_[other] == target) return true;
      if (settled_[other] != kUnsettled) continue;
      const ClassNames& o = context_.source_names[other];
      if (Narrower(o, context_.source_names[source])) continue;
      for (const NameProfile* held : {&o.label, &o.key}) {
        if (WordsCover(*held, *name, context_.class_links, context_.linking_words,
                       context_.Uses(kSignalStemsKept))
                .target)
          return true;
      }
    }
  }
  return false;
}
