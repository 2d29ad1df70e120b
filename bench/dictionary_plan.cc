// Plans the classes of the dictionary to migrate and of the target: names,
// hierarchy, attributes, the fate of every class and attribute, and which
// of them the target holds.
#include <algorithm>
#include <string>
#include <vector>

#include "bench/tree_model.h"

namespace zor_bench {
namespace {

const std::vector<std::string> kClassWords = {
    "Centrifugal", "Reciprocating", "Rotary",   "Gate",    "Globe",  "Check",
    "Ball",        "Butterfly",     "Plate",    "Shell",   "Air",    "Cooling",
    "Storage",     "Pressure",      "Vacuum",   "Control", "Relief", "Flow",
    "Level",       "Temperature",   "Electric", "Steam",   "Fire",   "Process"};
const std::vector<std::string> kClassNouns = {
    "Pump",   "Valve", "Compressor",  "Exchanger", "Tank",  "Vessel", "Column",
    "Filter", "Gauge", "Transmitter", "Switch",    "Motor", "Heater", "Cooler",
    "Fan",    "Drum",  "Separator",   "Reactor",   "Mixer", "Damper", "Sensor"};
// Names a hand-kept dictionary ends up with: ampersands, either way they
// can be written, quotes, angle brackets, doubled blanks, letter case.
const std::vector<std::string> kOddNouns = {"R&D Skid",
                                            "Tank & Vessel",
                                            "Oil &amp; Gas Unit",
                                            "Pipe \"Rack\"",
                                            "Valve <Special>",
                                            "Cable  Tray",
                                            "Seal's Pot",
                                            "PUMP",
                                            "pump",
                                            "Heat&Exchanger"};
const std::vector<std::string> kAttributeFirst = {
    "Design", "Operating", "Maximum", "Minimum", "Nominal", "Rated",  "Test",
    "Body",   "Seal",      "Motor",   "Inlet",   "Outlet",  "Shell",  "Tube",
    "Flange", "Coating",   "Lining",  "Service", "Fluid",   "Ambient"};
struct AttributeWord {
  const char* word;
  const char* type;
};
const std::vector<AttributeWord> kAttributeSecond = {
    {"Pressure", "Real"}, {"Temperature", "Real"}, {"Flow Rate", "Real"}, {"Material", "String"},
    {"Size", "Real"},     {"Type", "String"},      {"Power", "Real"},     {"Speed", "Integer"},
    {"Weight", "Real"},   {"Length", "Real"},      {"Diameter", "Real"},  {"Rating", "Integer"},
    {"Class", "String"},  {"Volume", "Real"},      {"Capacity", "Real"},  {"Voltage", "Integer"},
    {"Current", "Real"},  {"Frequency", "Real"},   {"Code", "String"},    {"Thickness", "Real"}};
const std::vector<std::string> kDomains = {"EQT", "INS", "PIP", "TUB", "HVA", "ELE", "CIV"};
const std::vector<std::string> kCreators = {"ENG", "ZOR", "ADM", ""};

constexpr char kRootLabel[] = "Plant Item";
constexpr char kRootKey[] = "PlantItem";
constexpr char kRootShortName[] = "PIT";

std::string Initials(const std::string& text) {
  std::string initials;
  bool at_word_start = true;
  for (char c : text) {
    if (c == ' ') {
      at_word_start = true;
    } else {
      if (at_word_start && c >= 'A' && c <= 'Z') initials += c;
      at_word_start = false;
    }
  }
  return initials;
}

std::string NewUuid(SeededRandom& random) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uuid;
  for (int half = 0; half < 2; ++half) {
    std::uint64_t bits = random.Bits();
    for (int digit = 0; digit < 16; ++digit, bits >>= 4) uuid += kHex[bits & 0xF];
  }
  return uuid;
}

class DictionaryPlanner {
 public:
  DictionaryPlanner(const PlanSettings& settings, SeededRandom& random)
      : settings_(settings), random_(random) {}

  DictionaryPlan Plan() {
    for (int i = 0; i < settings_.options.classes; ++i) AddSourceClass(i);
    AddTargetClasses();
    return std::move(plan_);
  }

 private:
  bool Odd() { return Oddity(random_, settings_); }
  // For oddities drawn once per attribute, which would otherwise swamp a class.
  bool OddAttribute() { return Oddity(random_, settings_, 4); }

  void AddSourceClass(int index) {
    if (index > 4 && Odd() && random_.PerMille(300)) {
      // The same class twice in the export.
      plan_.sources.push_back(plan_.sources[random_.Index(plan_.sources.size())]);
      return;
    }
    SourceClass c;
    std::string noun = Odd() ? random_.Pick(kOddNouns) : random_.Pick(kClassNouns);
    c.label = random_.Pick(kClassWords) + " " + noun + " " + std::to_string(index + 1);
    if (index > 4 && Odd() && random_.PerMille(300)) {
      // A name that differs from an earlier one in letter case only.
      c.label = Uppercase(plan_.sources[random_.Index(plan_.sources.size())].label);
    }
    c.key = settings_.v4() ? Initials(c.label) + std::to_string(index + 1) : WithoutBlanks(c.label);
    SetParent(c, index);
    c.uuid = NewUuid(random_);
    c.creator = random_.Pick(kCreators);
    c.fate = static_cast<ClassFate>(random_.Weighted({70, 40, 30, 50, 30, 80, 700}));
    c.lists_no_attributes = c.fate == ClassFate::kUnmapped && random_.PerMille(250);
    int count = Odd() ? 0 : settings_.options.attributes;
    AddAttributes(c, count);
    plan_.sources.push_back(std::move(c));
  }

  // Roots hang below a class that only the target knows; every other class
  // below an earlier one, so the hierarchy has children at every depth.
  void SetParent(SourceClass& c, int index) {
    if (index < 4) {
      c.parent_label = kRootLabel;
      c.parent_key = settings_.v4() ? kRootShortName : kRootKey;
      c.domain = kDomains[static_cast<size_t>(index) % kDomains.size()];
    } else {
      c.parent = static_cast<int>(random_.Index(plan_.sources.size()));
      const SourceClass& parent = plan_.sources[static_cast<size_t>(c.parent)];
      c.parent_label = parent.label;
      c.parent_key = parent.key;
      c.domain = random_.PerMille(900) ? parent.domain : random_.Pick(kDomains);
    }
    if (Odd() && random_.PerMille(300)) c.parent_label = c.parent_key = "";
  }

  AttributeFate DrawAttributeFate(ClassFate fate) {
    switch (fate) {
      case ClassFate::kMapped:
        return static_cast<AttributeFate>(random_.Weighted({620, 100, 60, 50, 100, 70}));
      case ClassFate::kUnmapped: {
        static const AttributeFate kChoices[] = {AttributeFate::kUnmapped,
                                                 AttributeFate::kBadlyMapped, AttributeFate::kValid,
                                                 AttributeFate::kNotInTable};
        return kChoices[random_.Weighted({40, 15, 30, 15})];
      }
      default:
        return random_.PerMille(850) ? AttributeFate::kValid : AttributeFate::kNotInTable;
    }
  }

  void AddAttributes(SourceClass& c, int count) {
    std::vector<int> words(kAttributeFirst.size() * kAttributeSecond.size());
    for (size_t w = 0; w < words.size(); ++w) words[w] = static_cast<int>(w);
    count = std::min<int>(count, static_cast<int>(words.size()));
    for (int n = 0; n < count; ++n) {
      // A partial Fisher-Yates draw: distinct names within the class.
      std::swap(
          words[static_cast<size_t>(n)],
          words[static_cast<size_t>(n) + random_.Index(words.size() - static_cast<size_t>(n))]);
      c.attributes.push_back(MakeAttribute(words[static_cast<size_t>(n)], c.fate));
    }
    if (c.attributes.size() > 1 && Odd()) {
      // Two attributes whose names differ in letter case only.
      SourceAttribute twin = c.attributes[random_.Index(c.attributes.size())];
      twin.label = Lowercase(twin.label);
      twin.fate = DrawAttributeFate(c.fate);
      c.attributes.insert(
          c.attributes.begin() + static_cast<long>(random_.Index(c.attributes.size())), twin);
    }
  }

  SourceAttribute MakeAttribute(int word, ClassFate class_fate) {
    size_t second = static_cast<size_t>(word) % kAttributeSecond.size();
    SourceAttribute a;
    a.target_label = kAttributeFirst[static_cast<size_t>(word) / kAttributeSecond.size()] + " " +
                     kAttributeSecond[second].word;
    a.target_key = WithoutBlanks(a.target_label);
    a.label = a.target_label;
    if (OddAttribute()) a.label = random_.Coin() ? a.label + " & Co" : a.label + " &amp; Co";
    a.key = settings_.v4() ? Initials(a.label) + std::to_string(word) : WithoutBlanks(a.label);
    a.type = kAttributeSecond[second].type;
    static const std::vector<std::string> kTexts = {"Carbon Steel", "", "Swing", "A&B"};
    static const std::vector<std::string> kNumbers = {"0", "", "1.5", "250"};
    a.value = random_.Pick(a.type == "String" ? kTexts : kNumbers);
    a.fate = DrawAttributeFate(class_fate);
    return a;
  }

  // The target holds every mapped class and some of the others, a class
  // for the roots' parent, a few classes of its own, and in the hostile
  // shape twins that share a key and short parent with a class.
  void AddTargetClasses() {
    TargetClass root;
    root.label = kRootLabel;
    root.key = kRootKey;
    root.creator = "ENG";
    root.uuid = NewUuid(random_);
    root.domain = "EQT";
    plan_.targets.push_back(root);
    for (SourceClass& c : plan_.sources) {
      if (!WantsTarget(c.fate)) continue;
      c.target = static_cast<int>(plan_.targets.size());
      plan_.targets.push_back(TargetFor(c));
      if (Odd()) plan_.targets.push_back(TwinOf(plan_.targets.back()));
    }
    int own_classes = settings_.options.classes / 20;
    for (int n = 0; n < own_classes; ++n) plan_.targets.push_back(OwnTargetClass(n));
    // The export lists the root first and the rest in an order of its own.
    for (size_t t = 1; t < plan_.targets.size(); ++t)
      plan_.target_order.push_back(static_cast<int>(t));
    random_.Shuffle(plan_.target_order);
    plan_.target_order.insert(plan_.target_order.begin(), 0);
  }

  bool WantsTarget(ClassFate fate) {
    switch (fate) {
      case ClassFate::kMapped:
        return true;
      case ClassFate::kNotInTable:
      case ClassFate::kUnmapped:
      case ClassFate::kBadlyMapped:
        return random_.Coin();
      default:
        return false;
    }
  }

  TargetClass TargetFor(const SourceClass& c) {
    TargetClass t;
    t.label = random_.PerMille(200) ? c.label + " Type" : c.label;
    t.key = WithoutBlanks(t.label);
    const TargetClass* parent = &plan_.targets[0];
    if (c.parent >= 0 && plan_.sources[static_cast<size_t>(c.parent)].target >= 0) {
      parent =
          &plan_.targets[static_cast<size_t>(plan_.sources[static_cast<size_t>(c.parent)].target)];
    }
    t.parent_label = parent->label;
    t.parent_key = parent->key;
    t.creator = random_.Pick(kCreators);
    t.domain = c.domain;
    t.uuid = TargetUuid(c.uuid);
    if (Odd()) return t;  // a target class without attributes
    for (const SourceAttribute& a : c.attributes) {
      if (a.fate == AttributeFate::kMissingInTarget) continue;
      if (OddAttribute()) t.attributes.push_back({a.target_label, Uppercase(a.target_key), a.type});
      t.attributes.push_back({a.target_label, a.target_key, a.type});
    }
    for (int extra = random_.Between(0, 2); extra > 0; --extra) {
      t.attributes.push_back(
          {"Vendor Reference", "VendorReference" + std::to_string(extra), "String"});
    }
    return t;
  }

  // Same UUID as the source class as a rule; in the V5/V5 comparison a
  // different one, a case variant or none at all now and then.
  std::string TargetUuid(const std::string& source_uuid) {
    if (settings_.v4() || settings_.old_layout()) return NewUuid(random_);
    if (random_.PerMille(30)) return NewUuid(random_);
    if (!Odd()) return source_uuid;
    switch (random_.Index(3)) {
      case 0:
        return Lowercase(source_uuid);
      case 1:
        return "";
      default:
        return NewUuid(random_);
    }
  }

  TargetClass TwinOf(const TargetClass& original) {
    TargetClass twin = original;
    twin.label = original.label + " Copy";
    twin.uuid = random_.Coin() ? original.uuid : NewUuid(random_);
    if (random_.Coin()) twin.key = Lowercase(original.key);
    if (!twin.attributes.empty()) twin.attributes.resize(random_.Index(twin.attributes.size()));
    return twin;
  }

  TargetClass OwnTargetClass(int n) {
    const TargetClass& parent = plan_.targets[random_.Index(plan_.targets.size())];
    TargetClass t;
    t.label = "Standalone " + random_.Pick(kClassNouns) + " " + std::to_string(n + 1);
    t.key = WithoutBlanks(t.label);
    t.parent_label = parent.label;
    t.parent_key = parent.key;
    t.creator = "ENG";
    t.uuid = NewUuid(random_);
    t.domain = parent.domain;
    t.attributes.push_back({"Tag Number", "TagNumber", "String"});
    return t;
  }

  const PlanSettings& settings_;
  SeededRandom& random_;
  DictionaryPlan plan_;
};

}  // namespace

std::string WithoutBlanks(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

std::string Uppercase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Lowercase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

DictionaryPlan PlanDictionaries(const PlanSettings& settings, SeededRandom& random) {
  return DictionaryPlanner(settings, random).Plan();
}

}  // namespace zor_bench
