#include "suggest/match_context.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

#include "suggest/abbreviations.h"
#include "suggest/learned_substitutions.h"
#include "suggest/lexicon_links.h"
#include "suggest/name_heads.h"
#include "suggest/number_links.h"
#include "suggest/spelling_index.h"

namespace {

ClassNames ProfileNames(WordVocabulary& vocabulary, std::string_view label, std::string_view key) {
  ClassNames names;
  names.label = vocabulary.Profile(label.empty() ? key : label);
  names.key = vocabulary.Profile(key);
  names.key_differs = names.key.compact != names.label.compact;
  return names;
}

std::vector<ClassNames> ProfileClasses(WordVocabulary& vocabulary,
                                       const std::vector<SuggestClass>& classes) {
  std::vector<ClassNames> names;
  names.reserve(classes.size());
  for (const SuggestClass& c : classes) names.push_back(ProfileNames(vocabulary, c.label, c.key));
  return names;
}

// Numbers attribute names by their profiles: a repeated name's profiles are
// the same storage. The numbers are bounded so that a dictionary of
// distinct names costs no more than one of repeated names.
class NameNumbers {
 public:
  void Number(ClassNames& names) {
    const Profiles key{names.label.data, names.key.data, names.bare.data};
    auto found = numbers_.find(key);
    if (found != numbers_.end()) {
      names.number = found->second;
    } else if (numbers_.size() < kMostNumbers) {
      names.number = static_cast<uint32_t>(numbers_.size());
      numbers_.emplace(key, names.number);
    }
  }

 private:
  static constexpr size_t kMostNumbers = size_t{1} << 16;
  using Profiles = std::array<const uint32_t*, 3>;
  struct Hash {
    size_t operator()(const Profiles& p) const {
      size_t h = 0;
      for (const uint32_t* at : p)
        h = (h ^ reinterpret_cast<uintptr_t>(at)) * 0x9E3779B97F4A7C15ull;
      return h ^ (h >> 29);
    }
  };
  std::unordered_map<Profiles, uint32_t, Hash> numbers_;
};

// An attribute's identity, for the overlap of attribute sets, is its
// label's compact form.
std::vector<AttributeNames> ProfileAttributes(WordVocabulary& vocabulary,
                                              const std::vector<SuggestClass>& classes,
                                              const std::vector<ClassNames>& class_names) {
  NameNumbers numbers;
  std::vector<AttributeNames> all(classes.size());
  for (size_t i = 0; i < classes.size(); ++i) {
    const NameProfile class_label = classes[i].label.empty() ? NameProfile{} : class_names[i].label;
    all[i].names.reserve(classes[i].attributes.size());
    for (const SuggestAttribute& a : classes[i].attributes) {
      ClassNames names = ProfileNames(vocabulary, a.label, a.key);
      names.bare = vocabulary.WithoutWordsOf(names.label, class_label);
      numbers.Number(names);
      all[i].names.push_back(names);
      all[i].identities.push_back(names.label.compact);
    }
    std::sort(all[i].identities.begin(), all[i].identities.end());
  }
  return all;
}

void CountWeights(const std::vector<ClassNames>& names, WordWeights& weights) {
  for (const ClassNames& n : names) weights.Count({&n.label, &n.key});
}

// Calls visit(word, form) for every word of the names of one side.
template <typename Visit>
void ForEachWordOf(const std::vector<ClassNames>& classes,
                   const std::vector<AttributeNames>& attributes, Visit visit) {
  auto visit_names = [&](const ClassNames& n) {
    for (const NameProfile* p : {&n.label, &n.key}) {
      for (size_t k = 0; k < p->size; ++k) visit(p->words()[k], p->forms()[k]);
    }
  };
  for (const ClassNames& n : classes) visit_names(n);
  for (const AttributeNames& a : attributes) {
    for (const ClassNames& n : a.names) visit_names(n);
  }
}

void LinkBoth(WordLinks& class_links, WordLinks& attribute_links, uint32_t from, uint32_t to,
              double strength) {
  class_links.Add(from, to, strength, kSignalSpelling);
  attribute_links.Add(from, to, strength, kSignalSpelling);
}

// Links every source word to the target words spelled nearly alike, by
// their trigrams.
void LinkSpellings(const MatchContext& context, WordLinks& class_links,
                   WordLinks& attribute_links) {
  SpellingIndex index;
  ForEachWordOf(context.target_names, context.target_attributes,
                [&](uint32_t word, uint32_t) { index.Add(word, context.vocabulary.Word(word)); });
  std::vector<bool> done(context.vocabulary.size(), false);
  auto link = [&](uint32_t word, uint32_t) {
    if (done[word]) return;
    done[word] = true;
    for (const auto& [to, agreement] : index.Near(word, context.vocabulary.Word(word),
                                                  context.weights.names.spelling_agreement)) {
      LinkBoth(class_links, attribute_links, word, to, agreement);
    }
  };
  ForEachWordOf(context.source_names, context.source_attributes, link);
  for (const NameProfile& row : context.item_rows) {
    ForEachWordOf({ClassNames{row, {}, {}, false}}, {}, link);
  }
}

// Links every source word to the target words one slip away from it in
// their written forms (the stems of a slip may differ more than the words
// do: "organ" and "organis"). Where either spelling is a word of the other
// side too, the two are different words, not one mistyped.
void LinkSlips(const MatchContext& context, WordLinks& class_links, WordLinks& attribute_links) {
  SlipIndex slips(context.weights.names.shortest_slip, context.weights.names.shortest_slip_longer);
  std::unordered_map<uint32_t, uint32_t> target_word_of_form;
  ForEachWordOf(context.target_names, context.target_attributes, [&](uint32_t word, uint32_t form) {
    if (target_word_of_form.emplace(form, word).second)
      slips.Add(form, context.vocabulary.Word(form));
  });
  slips.Seal();
  constexpr uint32_t kNone = UINT32_MAX;
  std::vector<uint32_t> source_word_of_form(context.vocabulary.size(), kNone);
  auto note = [&](uint32_t word, uint32_t form) {
    if (source_word_of_form[form] == kNone) source_word_of_form[form] = word;
  };
  ForEachWordOf(context.source_names, context.source_attributes, note);
  for (const NameProfile& row : context.item_rows) {
    ForEachWordOf({ClassNames{row, {}, {}, false}}, {}, note);
  }
  for (uint32_t form = 0; form < source_word_of_form.size(); ++form) {
    if (source_word_of_form[form] == kNone || target_word_of_form.count(form) != 0) continue;
    for (uint32_t near : slips.Near(form, context.vocabulary.Word(form))) {
      if (source_word_of_form[near] != kNone) continue;
      LinkBoth(class_links, attribute_links, source_word_of_form[form],
               target_word_of_form.at(near), context.weights.names.slip_strength);
    }
  }
}

// The other number of a word of Latin or Greek, or nothing: "-um" and
// "-a", "-a" and "-ae", "-us" and "-i", "-is" and "-es", both ways.
std::vector<std::string> ClassicalNumbers(const std::string& word, size_t shortest) {
  struct Ending {
    std::string_view one, other;
  };
  static constexpr Ending kEndings[] = {{"um", "a"}, {"a", "ae"}, {"us", "i"}, {"is", "es"}};
  std::vector<std::string> numbers;
  if (word.size() < shortest) return numbers;
  auto ends_with = [&](std::string_view end) {
    return word.size() > end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
  };
  for (const Ending& e : kEndings) {
    if (ends_with(e.one)) numbers.push_back(word.substr(0, word.size() - e.one.size()) += e.other);
    if (ends_with(e.other))
      numbers.push_back(word.substr(0, word.size() - e.other.size()) += e.one);
  }
  return numbers;
}

// Links every source word to the target word that is its classical plural
// or singular ("trabeculum" and "trabecula"), which neither the stems nor a
// slip bring together. Only words both sides hold are linked, so an English
// word with such an ending ("status") meets nothing it should not.
void LinkClassicalNumbers(const MatchContext& context, WordLinks& class_links,
                          WordLinks& attribute_links) {
  // By the written form, in the singular a name's words are read in.
  std::unordered_map<std::string, uint32_t> target_words;
  ForEachWordOf(context.target_names, context.target_attributes, [&](uint32_t word, uint32_t form) {
    target_words.emplace(context.vocabulary.Word(form), word);
  });
  std::vector<bool> done(context.vocabulary.size(), false);
  auto link = [&](uint32_t word, uint32_t form) {
    if (done[form]) return;
    done[form] = true;
    for (const std::string& other : ClassicalNumbers(context.vocabulary.Word(form),
                                                     context.weights.names.shortest_classical)) {
      auto found = target_words.find(Singular(NameWord{other, false}));
      if (found == target_words.end() || found->second == word) continue;
      LinkBoth(class_links, attribute_links, word, found->second,
               context.weights.names.classical_strength);
    }
  };
  ForEachWordOf(context.source_names, context.source_attributes, link);
}

void LearnFromAnchors(const MatchContext& context, WordLinks& class_links,
                      WordLinks& attribute_links) {
  std::vector<NamePair> classes;
  for (const ClassAnchor& anchor : context.input.class_anchors) {
    const ClassNames& s = context.source_names[anchor.source];
    const ClassNames& t = context.target_names[anchor.target];
    classes.emplace_back(&s.label, &t.label);
    if (s.key_differs || t.key_differs) classes.emplace_back(&s.key, &t.key);
  }
  LearnSubstitutions(classes, context.weights.learning, class_links);
  std::vector<NamePair> attributes;
  for (const AttributeAnchor& anchor : context.input.attribute_anchors) {
    const ClassNames& s =
        context.source_attributes[anchor.source_class].names[anchor.source_attribute];
    const ClassNames& t =
        context.target_attributes[anchor.target_class].names[anchor.target_attribute];
    attributes.emplace_back(&s.label, &t.label);
  }
  LearnSubstitutions(attributes, context.weights.learning, attribute_links);
}

// Every label of one side, classes' and attributes'. Keys are left out: a
// key is often the initials of its own label ("SS196" for "Storage Sensor
// 196"), which says nothing of the other side's names.
std::vector<std::string_view> LabelsOf(const std::vector<SuggestClass>& classes) {
  std::vector<std::string_view> names;
  for (const SuggestClass& c : classes) {
    names.push_back(c.label.empty() ? c.key : c.label);
    for (const SuggestAttribute& a : c.attributes)
      names.push_back(a.label.empty() ? a.key : a.label);
  }
  return names;
}

}  // namespace

MatchContext::MatchContext(const SuggestInput& in, const SuggestOptions& opts)
    : input(in),
      options(opts),
      vocabulary((opts.signals & kSignalStems) != 0),
      source_tree(in.source),
      target_tree(in.target),
      source_anchor(in.source.size(), -1) {
  source_names = ProfileClasses(vocabulary, in.source);
  target_names = ProfileClasses(vocabulary, in.target);
  item_rows.resize(in.class_items.size());
  for (size_t i = 0; i < in.class_item_rows.size() && i < item_rows.size(); ++i) {
    if (Uses(kSignalRow) && !in.class_item_rows[i].empty())
      item_rows[i] = vocabulary.Profile(in.class_item_rows[i]);
  }
  source_attributes = ProfileAttributes(vocabulary, in.source, source_names);
  target_attributes = ProfileAttributes(vocabulary, in.target, target_names);
  vocabulary.ForgetNames();
  linking_words.resize(vocabulary.size());
  for (uint32_t word = 0; word < vocabulary.size(); ++word)
    linking_words[word] = LinkingWord(vocabulary.Word(word));
  CountWeights(source_names, class_weights);
  CountWeights(target_names, class_weights);
  for (const auto* side : {&source_attributes, &target_attributes}) {
    for (const AttributeNames& a : *side) CountWeights(a.names, attribute_weights);
  }
  class_weights.Finish(vocabulary.size(), !Uses(kSignalWeights));
  attribute_weights.Finish(vocabulary.size(), !Uses(kSignalWeights));
  if (Uses(kSignalSpelling)) {
    LinkSpellings(*this, class_links, attribute_links);
    LinkSlips(*this, class_links, attribute_links);
    LinkClassicalNumbers(*this, class_links, attribute_links);
  }
  if (Uses(kSignalLearned)) LearnFromAnchors(*this, class_links, attribute_links);
  const std::vector<std::string_view> source_labels = LabelsOf(in.source),
                                      target_labels = LabelsOf(in.target);
  if (Uses(kSignalAbbreviation)) {
    LinkAbbreviations(source_labels, target_labels, vocabulary, weights.names.abbreviation_strength,
                      {&class_links, &attribute_links});
  }
  if (Uses(kSignalNumbers)) {
    LinkNumbers(source_labels, target_labels, vocabulary, weights.names.abbreviation_strength,
                {&class_links, &attribute_links});
  }
  if (opts.lexicon != nullptr && (Uses(kSignalLexicon) || Uses(kSignalSynonyms))) {
    LinkLexicon(*opts.lexicon, source_labels, target_labels, vocabulary,
                {&class_links, &attribute_links}, opts.signals, *lexicon_evidence, weights.lexicon);
  }
  class_links.Seal();
  attribute_links.Seal();
  for (const ClassAnchor& anchor : in.class_anchors) {
    if (anchor.source < source_anchor.size() && anchor.target < in.target.size()) {
      source_anchor[anchor.source] = static_cast<int>(anchor.target);
    }
  }
}
