// zor_suggest_dev: runs the matcher on dictionary trees and writes its
// candidates in the scorer's CSV, one file per case.
//
//   zor_suggest_dev CASES_DIR OUT_DIR [--seed-percent P] [--seed-dry] [--off SIGNALS]
//                   [--min-score S] [--attribute-min-score S] [--margin M] [--mutual-min-score S]
//                   [--mutual-margin M] [--attribute-mutual-min-score S] [--timing]
//                   [--wordnet DIR|none] [--synonyms FILE]
//                   [--classes-only] [--read-only] [--state clean|noisy] [--state-seed N]
//                   [--shortest-slip N] [--shortest-classical N] [--top N] [--apart-lead L]
//
// Every folder of CASES_DIR holding Dictionary/V4_Exported_XML (source, older
// layout) and Dictionary/V5_Exported_XML (target, V5 layout) is one case; its
// mapping table is taken as empty. With --seed-percent, that share of the
// pairs of the case's truth_classes.csv become rows of the table (anchors),
// chosen by a fixed hash, and OUT_DIR/cases/<case>/ receives the truth
// without them, to score the remaining pairs only; --seed-dry chooses the
// same pairs but gives the matcher none, for the comparison. --off switches
// signals off by name (label,key,stems,weights,spelling,learned,hierarchy,
// attributes,assignment,abbreviation,lexicon,synonyms,own,coverage,numbers, and the acceptance's
// rules stemskept,claims,lead,held,home,burying); --classes-only gives the
// matcher no attribute items; --read-only reads the cases and runs no matcher (the reading's own
// peak memory);
// --timing prints the matcher's time. --shortest-slip and --shortest-classical set the
// shortest words a slip or a classical plural is looked for in (1000: none). --state gives the
// matcher a table the user has partly done, drawn with --state-seed: "clean" makes 30% of the
// reference class and attribute pairs rows; "noisy" makes 70% of them rows, of which 3% of the
// class rows and 5% of the attribute rows name a wrong target and 4% of the attribute rows send
// theirs to one catch-all attribute, and 70% of the source attributes the reference leaves out No
// Mapping rows. Either writes the reference without the table's pairs to OUT_DIR/cases/<case>/,
// so that only the remaining pairs are scored, and beside it the table it drew
// (table_classes.csv: source and target keys; table_attributes.csv: the source attributes that
// rows settle). The CSV's scores are the matcher's scaled so that the scorer's threshold 0.5
// means "accepted": an accepted first candidate is written as 0.5 + score / 2, every other
// candidate as score / 2.01 (the order is kept); OUT_DIR/<case>.evidence lists each class
// candidate's (and attribute candidate's) score, whether it was accepted, its evidence words and
// the first candidate's verdict, for reading. Prints, per
// run, the mean score that the remaining truth pairs get (0 when the true target is not a
// candidate).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "dictionary/migration_xml.h"
#include "lexicon/lexicon.h"
#include "seeded_random.h"
#include "suggest/suggest_engine.h"

namespace fs = std::filesystem;

namespace {

struct Settings {
  double seed_percent = 0;
  bool seed_dry = false;
  bool timing = false;
  bool classes_only = false;  // no attribute items
  bool read_only = false;     // read the cases, run no matcher: the reading's own peak memory
  std::string state;          // "", "clean" or "noisy": how much of the table the user has done
  uint64_t state_seed = 1;
  std::string wordnet;   // WordNet's database: a folder, or "none"; Debian's place by default
  std::string synonyms;  // a file of the user's synonyms, or none
  SuggestOptions options;
};

std::string Value(MigrationXMLNode* node, const char* name) {
  MigrationXMLAttribute* attribute = node->GetAttribute(name);
  return attribute != nullptr ? attribute->GetValue() : "";
}

// Reads every class of the documents in `folder`; `v5` picks the layout.
bool ReadClasses(const fs::path& folder, bool v5, NameStore& names,
                 std::vector<SuggestClass>& classes) {
  std::error_code error;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".xml") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    MigrationXMLNode* document = MigrationXMLNode::CreateFromFile(file.string().c_str());
    if (document == nullptr) {
      std::fprintf(stderr, "zor_suggest_dev: %s: unusable\n", file.string().c_str());
      return false;
    }
    MigrationXMLSearch class_search("Class");
    void* at = class_search.SearchStart(document);
    while (at != nullptr) {
      MigrationXMLNode* node = class_search.SearchNext(at);
      SuggestClass c;
      c.label = names.Keep(Value(node, v5 ? "DisplayName" : "Name"));
      c.key = names.Keep(Value(node, v5 ? "Name" : "ShortName"));
      c.parent_label = v5 ? Name() : names.Keep(Value(node, "Parent"));
      c.parent_key = names.Keep(Value(node, v5 ? "Superclass" : "ShortParent"));
      MigrationXMLSearch attribute_search("Simple");
      void* a = attribute_search.SearchStart(node);
      while (a != nullptr) {
        MigrationXMLNode* attribute = attribute_search.SearchNext(a);
        c.attributes.push_back({names.Keep(Value(attribute, v5 ? "DisplayName" : "Name")),
                                names.Keep(Value(attribute, v5 ? "Name" : "ShortName"))});
      }
      c.attributes
          .shrink_to_fit();  // the peak memory measured is the matcher's, not the growth slack's
      classes.push_back(std::move(c));
    }
    document->Release();
  }
  return true;
}

std::vector<std::vector<std::string>> ReadCsv(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

// A fixed choice of seeded pairs: the same on every machine and run.
bool Seeded(const std::string& source, const std::string& target, double percent) {
  uint32_t hash = 2166136261u;
  for (char c : source + "\x1f" + target) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return (hash % 1000) < percent * 10;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

struct Totals {
  double remaining_score = 0;
  size_t remaining = 0;
  double seconds = 0;
  double cpu_seconds = 0;
};

// The table of a user who has done part of the work (see --state): the rows
// become the matcher's anchors, the sources they settle are no items, and
// `truth_out` keeps the reference pairs no row settles.
struct TableState {
  std::vector<bool> class_done;                   // per source class
  std::vector<std::vector<bool>> attribute_done;  // per source attribute
  std::vector<std::vector<std::string>> class_truth, attribute_truth;
};

uint64_t CaseSeed(uint64_t seed, const std::string& name) {
  uint64_t hash = 1469598103934665603ull ^ seed;
  for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return hash;
}

TableState DrawTableState(const fs::path& dir, const Settings& settings, SuggestInput& input,
                          const std::unordered_map<std::string, size_t>& source_at,
                          const std::unordered_map<std::string, size_t>& target_at) {
  const bool noisy = settings.state == "noisy";
  const int per_mille = noisy ? 700 : 300;
  const int wrong_class = noisy ? 30 : 0, wrong_attribute = noisy ? 50 : 0,
            catch_all = noisy ? 40 : 0;
  zor_bench::SeededRandom random(CaseSeed(settings.state_seed, dir.filename().string()));
  TableState state;
  state.class_done.assign(input.source.size(), false);
  for (const SuggestClass& c : input.source) state.attribute_done.emplace_back(c.attributes.size());
  std::vector<std::pair<size_t, size_t>> target_attributes;  // (class, attribute)
  for (size_t t = 0; t < input.target.size(); ++t) {
    for (size_t a = 0; a < input.target[t].attributes.size(); ++a)
      target_attributes.emplace_back(t, a);
  }
  const std::pair<size_t, size_t> catch_all_attribute =
      target_attributes.empty() ? std::pair<size_t, size_t>{0, 0} : random.Pick(target_attributes);
  const auto truth = ReadCsv(dir / "truth_classes.csv");
  for (size_t r = 0; r < truth.size(); ++r) {
    const auto& row = truth[r];
    auto s = r == 0 || row.size() < 4 ? source_at.end() : source_at.find(row[0]);
    auto t = r == 0 || row.size() < 4 ? target_at.end() : target_at.find(row[2]);
    if (s == source_at.end() || t == target_at.end() || !random.PerMille(per_mille)) {
      if (r == 0 || (s != source_at.end() && t != target_at.end()))
        state.class_truth.push_back(row);
      continue;
    }
    size_t target = t->second;
    if (random.PerMille(wrong_class) && input.target.size() > 1) {
      while (target == t->second) target = random.Index(input.target.size());
    }
    state.class_done[s->second] = true;
    input.class_anchors.push_back({s->second, target});
  }
  auto attribute_at = [](const SuggestClass& c, const std::string& key) {
    for (size_t a = 0; a < c.attributes.size(); ++a)
      if (c.attributes[a].key.str() == key) return a;
    return c.attributes.size();
  };
  std::vector<std::vector<bool>> in_reference(state.attribute_done);
  const auto attributes = ReadCsv(dir / "truth_attributes.csv");
  for (size_t r = 0; r < attributes.size(); ++r) {
    const auto& row = attributes[r];
    if (r == 0 || row.size() < 6) {
      if (r == 0) state.attribute_truth.push_back(row);
      continue;
    }
    auto sc = source_at.find(row[0]);
    auto tc = target_at.find(row[3]);
    if (sc == source_at.end() || tc == target_at.end()) continue;
    const size_t sa = attribute_at(input.source[sc->second], row[1]);
    const size_t ta = attribute_at(input.target[tc->second], row[4]);
    if (sa == input.source[sc->second].attributes.size() ||
        ta == input.target[tc->second].attributes.size())
      continue;
    in_reference[sc->second][sa] = true;
    if (!random.PerMille(per_mille)) {
      state.attribute_truth.push_back(row);
      continue;
    }
    std::pair<size_t, size_t> target{tc->second, ta};
    const size_t noise =
        random.Weighted({wrong_attribute, catch_all, 1000 - wrong_attribute - catch_all});
    if (noise == 0 && target_attributes.size() > 1) {
      while (target == std::pair<size_t, size_t>{tc->second, ta})
        target = random.Pick(target_attributes);
    } else if (noise == 1 && !target_attributes.empty()) {
      target = catch_all_attribute;
    }
    state.attribute_done[sc->second][sa] = true;
    input.attribute_anchors.push_back({sc->second, sa, target.first, target.second});
  }
  if (noisy) {
    for (size_t s = 0; s < input.source.size(); ++s) {
      for (size_t a = 0; a < in_reference[s].size(); ++a) {
        if (!in_reference[s][a] && random.PerMille(per_mille)) state.attribute_done[s][a] = true;
      }
    }
  }
  return state;
}

void WriteCsv(const fs::path& path, const std::vector<std::vector<std::string>>& rows) {
  std::ofstream out(path);
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) out << (i ? "," : "") << row[i];
    out << '\n';
  }
}

bool RunCase(const fs::path& dir, const fs::path& out, const Settings& settings, Totals& totals) {
  SuggestInput input;
  if (!ReadClasses(dir / "Dictionary" / "V4_Exported_XML", false, *input.names, input.source) ||
      !ReadClasses(dir / "Dictionary" / "V5_Exported_XML", true, *input.names, input.target)) {
    return false;
  }
  std::unordered_map<std::string, size_t> source_at, target_at;
  for (size_t i = 0; i < input.source.size(); ++i) source_at.emplace(input.source[i].key.str(), i);
  for (size_t i = 0; i < input.target.size(); ++i) target_at.emplace(input.target[i].key.str(), i);
  const std::string name = dir.filename().string();
  std::vector<bool> seeded(input.source.size(), false);
  std::vector<std::pair<size_t, size_t>> remaining;
  const auto truth = ReadCsv(dir / "truth_classes.csv");
  std::vector<std::vector<std::string>> kept;
  for (size_t r = 0; r < truth.size(); ++r) {
    const auto& row = truth[r];
    if (r == 0 || row.size() < 4) {
      kept.push_back(row);
      continue;
    }
    auto s = source_at.find(row[0]);
    auto t = target_at.find(row[2]);
    if (s == source_at.end() || t == target_at.end()) continue;
    if (settings.seed_percent > 0 && Seeded(row[0], row[2], settings.seed_percent)) {
      seeded[s->second] = true;
      if (!settings.seed_dry) input.class_anchors.push_back({s->second, t->second});
    } else {
      kept.push_back(row);
      remaining.emplace_back(s->second, t->second);
    }
  }
  TableState state;
  if (!settings.state.empty()) {
    state = DrawTableState(dir, settings, input, source_at, target_at);
    remaining.clear();
    for (size_t r = 1; r < state.class_truth.size(); ++r) {
      remaining.emplace_back(source_at.at(state.class_truth[r][0]),
                             target_at.at(state.class_truth[r][2]));
    }
    seeded = state.class_done;
  }
  for (size_t s = 0; s < input.source.size(); ++s) {
    if (!seeded[s] || settings.seed_dry) input.class_items.push_back(s);
    if (settings.classes_only) continue;
    for (size_t a = 0; a < input.source[s].attributes.size(); ++a) {
      if (state.attribute_done.empty() || !state.attribute_done[s][a])
        input.attribute_items.push_back({s, a});
    }
  }
  if (settings.read_only) return true;
  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpu_start = std::clock();
  const SuggestOutput output = Suggest(input, settings.options);
  totals.cpu_seconds += static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
  totals.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::ofstream csv(out / (name + ".csv"));
  csv << "source_class_key,target_class_key,score\n";
  std::map<std::pair<size_t, size_t>, double> scores;
  std::ofstream evidence(out / (name + ".evidence"));
  for (const ClassSuggestion& s : output.classes) {
    if (seeded[s.source] && settings.seed_dry) continue;
    for (const ClassCandidate& c : s.candidates) {
      // Only an accepted first candidate reaches the scorer's threshold.
      const bool accepted = s.accepted && &c == &s.candidates.front();
      evidence << input.source[s.source].key.str() << ',' << input.target[c.target].key.str() << ','
               << c.score << ',' << accepted << ',';
      for (std::string_view word : EvidenceNames(c.evidence)) evidence << word << ' ';
      if (&c == &s.candidates.front()) evidence << ',' << AcceptanceWords(s.verdict);
      evidence << '\n';
      const double score = accepted ? 0.5 + c.score / 2 : c.score / 2.01;
      csv << CsvField(input.source[s.source].key) << ',' << CsvField(input.target[c.target].key)
          << ',' << score << '\n';
      scores[{s.source, c.target}] = c.score;
    }
  }
  for (const AttributeSuggestion& s : output.attributes) {
    for (const AttributeCandidate& c : s.candidates) {
      const bool accepted = s.accepted && &c == &s.candidates.front();
      evidence << input.source[s.item.source_class].key.str() << '.'
               << input.source[s.item.source_class].attributes[s.item.source_attribute].key.str()
               << ',' << input.target[c.target_class].key.str() << '.'
               << input.target[c.target_class].attributes[c.target_attribute].key.str() << ','
               << c.score << ',' << accepted << ',';
      for (std::string_view word : EvidenceNames(c.evidence)) evidence << word << ' ';
      if (&c == &s.candidates.front()) evidence << ',' << AcceptanceWords(s.verdict);
      evidence << '\n';
      const double score = accepted ? 0.5 + c.score / 2 : c.score / 2.01;
      csv << CsvField(input.source[s.item.source_class].key) << ','
          << CsvField(input.source[s.item.source_class].attributes[s.item.source_attribute].key)
          << ',' << CsvField(input.target[c.target_class].key) << ','
          << CsvField(input.target[c.target_class].attributes[c.target_attribute].key) << ','
          << score << '\n';
    }
  }
  for (const auto& pair : remaining) {
    auto found = scores.find(pair);
    totals.remaining_score += found == scores.end() ? 0.0 : found->second;
    ++totals.remaining;
  }
  if (!settings.state.empty()) {
    const fs::path copy = out / "cases" / name;
    fs::create_directories(copy);
    std::error_code error;
    fs::create_directory_symlink(fs::absolute(dir / "Dictionary"), copy / "Dictionary", error);
    // A set that scores only some sources says which: the copy scores the same.
    if (fs::exists(dir / "scored_sources.csv"))
      fs::copy_file(dir / "scored_sources.csv", copy / "scored_sources.csv",
                    fs::copy_options::overwrite_existing, error);
    WriteCsv(copy / "truth_classes.csv", state.class_truth);
    WriteCsv(copy / "truth_attributes.csv", state.attribute_truth);
    std::vector<std::vector<std::string>> rows{{"source_key", "target_key"}};
    for (const auto& anchor : input.class_anchors) {
      rows.push_back(
          {input.source[anchor.source].key.str(), input.target[anchor.target].key.str()});
    }
    WriteCsv(copy / "table_classes.csv", rows);
    rows = {{"source_class_key", "source_attr_key"}};
    for (size_t c = 0; c < state.attribute_done.size(); ++c) {
      for (size_t a = 0; a < state.attribute_done[c].size(); ++a) {
        if (state.attribute_done[c][a])
          rows.push_back({input.source[c].key.str(), input.source[c].attributes[a].key.str()});
      }
    }
    WriteCsv(copy / "table_attributes.csv", rows);
  } else if (settings.seed_percent > 0) {
    const fs::path copy = out / "cases" / name;
    fs::create_directories(copy);
    std::error_code error;
    fs::create_directory_symlink(fs::absolute(dir / "Dictionary"), copy / "Dictionary", error);
    // A set that scores only some sources says which: the copy scores the same.
    if (fs::exists(dir / "scored_sources.csv"))
      fs::copy_file(dir / "scored_sources.csv", copy / "scored_sources.csv",
                    fs::copy_options::overwrite_existing, error);
    fs::copy_file(dir / "truth_attributes.csv", copy / "truth_attributes.csv",
                  fs::copy_options::overwrite_existing, error);
    std::ofstream truth_out(copy / "truth_classes.csv");
    for (const auto& row : kept) {
      for (size_t i = 0; i < row.size(); ++i) truth_out << (i ? "," : "") << row[i];
      truth_out << '\n';
    }
  }
  return true;
}

uint32_t SignalNamed(const std::string& name) {
  static const std::map<std::string, uint32_t> kSignals = {{"label", kSignalLabel},
                                                           {"key", kSignalKey},
                                                           {"stems", kSignalStems},
                                                           {"weights", kSignalWeights},
                                                           {"spelling", kSignalSpelling},
                                                           {"learned", kSignalLearned},
                                                           {"hierarchy", kSignalHierarchy},
                                                           {"attributes", kSignalAttributes},
                                                           {"assignment", kSignalAssignment},
                                                           {"abbreviation", kSignalAbbreviation},
                                                           {"lexicon", kSignalLexicon},
                                                           {"synonyms", kSignalSynonyms},
                                                           {"own", kSignalOwnName},
                                                           {"coverage", kSignalCoverage},
                                                           {"numbers", kSignalNumbers},
                                                           {"stemskept", kSignalStemsKept},
                                                           {"claims", kSignalClaims},
                                                           {"lead", kSignalLead},
                                                           {"held", kSignalHeld},
                                                           {"home", kSignalHome},
                                                           {"burying", kSignalBuryingRows}};
  auto found = kSignals.find(name);
  return found == kSignals.end() ? 0 : found->second;
}

bool ParseArguments(int argc, char** argv, Settings& settings, std::vector<std::string>& paths) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--seed-dry") {
      settings.seed_dry = true;
    } else if (arg == "--top" && has_value) {
      settings.options.top = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--timing") {
      settings.timing = true;
    } else if (arg == "--classes-only") {
      settings.classes_only = true;
    } else if (arg == "--read-only") {
      settings.read_only = true;
    } else if (arg == "--shortest-slip" && has_value) {
      settings.options.weights.names.shortest_slip =
          settings.options.weights.names.shortest_slip_longer =
              std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--shortest-classical" && has_value) {
      settings.options.weights.names.shortest_classical = std::strtoul(argv[++i], nullptr, 10);
    } else if (arg == "--state" && has_value) {
      settings.state = argv[++i];
      if (settings.state != "clean" && settings.state != "noisy") return false;
    } else if (arg == "--state-seed" && has_value) {
      settings.state_seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--seed-percent" && has_value) {
      settings.seed_percent = std::atof(argv[++i]);
    } else if (arg == "--min-score" && has_value) {
      settings.options.weights.acceptance.min_score = std::atof(argv[++i]);
    } else if (arg == "--attribute-min-score" && has_value) {
      settings.options.weights.acceptance.attribute_min_score = std::atof(argv[++i]);
    } else if (arg == "--wordnet" && has_value) {
      settings.wordnet = argv[++i];
    } else if (arg == "--synonyms" && has_value) {
      settings.synonyms = argv[++i];
    } else if (arg == "--mutual-min-score" && has_value) {
      settings.options.weights.acceptance.mutual_min_score = std::atof(argv[++i]);
    } else if (arg == "--mutual-margin" && has_value) {
      settings.options.weights.acceptance.mutual_margin = std::atof(argv[++i]);
    } else if (arg == "--attribute-mutual-min-score" && has_value) {
      settings.options.weights.acceptance.attribute_mutual_min_score = std::atof(argv[++i]);
    } else if (arg == "--apart-lead" && has_value) {
      settings.options.weights.acceptance.apart_lead = std::atof(argv[++i]);
    } else if (arg == "--margin" && has_value) {
      settings.options.weights.acceptance.margin = std::atof(argv[++i]);
    } else if (arg == "--off" && has_value) {
      std::stringstream names(argv[++i]);
      std::string name;
      while (std::getline(names, name, ',')) {
        const uint32_t signal = SignalNamed(name);
        if (signal == 0) return false;
        settings.options.signals &= ~signal;
      }
    } else if (arg.rfind("--", 0) == 0) {
      return false;
    } else {
      paths.push_back(arg);
    }
  }
  return paths.size() == 2;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  std::vector<std::string> paths;
  if (!ParseArguments(argc, argv, settings, paths)) {
    std::fprintf(stderr,
                 "usage: zor_suggest_dev CASES_DIR OUT_DIR [--seed-percent P] [--seed-dry] "
                 "[--off SIGNALS] [--min-score S] [--attribute-min-score S] [--margin M] "
                 "[--mutual-min-score S] "
                 "[--mutual-margin M] [--attribute-mutual-min-score S] [--timing] "
                 "[--classes-only] [--read-only] [--wordnet DIR|none] [--synonyms FILE] "
                 "[--state clean|noisy] [--state-seed N] [--shortest-slip N] "
                 "[--shortest-classical N] [--top N] [--apart-lead L]\n");
    return 2;
  }
  Lexicon lexicon;
  if (settings.wordnet != "none") {
    const std::string problem =
        lexicon.LoadWordNet(settings.wordnet.empty() ? DefaultWordNetFolder() : settings.wordnet);
    if (!problem.empty())
      std::fprintf(stderr, "zor_suggest_dev: without WordNet: %s\n", problem.c_str());
  }
  if (!settings.synonyms.empty()) {
    for (const SynonymProblem& problem : lexicon.LoadUserSynonyms(settings.synonyms)) {
      std::fprintf(stderr, "zor_suggest_dev: %s\n", SynonymProblemText(problem).c_str());
      return 2;
    }
  }
  settings.options.lexicon = &lexicon;
  const fs::path cases = paths[0], out = paths[1];
  fs::create_directories(out);
  std::vector<fs::path> dirs;
  if (fs::exists(cases / "Dictionary")) {
    dirs.push_back(cases);
  } else {
    for (const auto& entry : fs::directory_iterator(cases)) {
      if (fs::exists(entry.path() / "Dictionary")) dirs.push_back(entry.path());
    }
  }
  std::sort(dirs.begin(), dirs.end());
  Totals totals;
  for (const fs::path& dir : dirs) {
    if (!RunCase(dir, out, settings, totals)) return 2;
  }
  std::printf(
      "remaining truth pairs %zu, mean score of their true target %.3f\n", totals.remaining,
      totals.remaining ? totals.remaining_score / static_cast<double>(totals.remaining) : 0.0);
  if (settings.timing) {
    std::printf("matcher: wall %.2f s, cpu %.2f s\n", totals.seconds, totals.cpu_seconds);
  }
  return 0;
}
