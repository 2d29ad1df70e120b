// zor_lexicon_bench: the lexicon's cost on a dictionary tree's names.
//
//   zor_lexicon_bench TREE [--wordnet DIR] [--repeat N]
//
// Reads every class and attribute name of TREE/Dictionary/V4_Exported_XML
// and V5_Exported_XML (both layouts), cuts them into words as the matcher
// does, and keeps the distinct words and the distinct runs of two and three
// words. The dictionaries are then released, and the peak memory is reset
// (Linux, glibc), so that what follows is measured alone: loading WordNet's
// database (the installed one by default), every word's relations, and for
// every run whether it is an entry (and its relations when it is). Prints
// the counts, the load and lookup times (wall, and the processor time of
// the load and of the whole) and the memory the lexicon added to the peak. --repeat N runs the
// whole measurement N times in the process (times of each; the peak is that of the first).
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/migration_xml.h"
#include "lexicon/lexicon.h"
#include "suggest/name_words.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

struct Vocabulary {
  std::set<std::string> words;
  std::set<std::string> runs;
};

double Milliseconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The process's processor time, user and system, in milliseconds: steadier
// than the wall clock on a shared machine.
double CpuMilliseconds() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void AddName(std::string_view name, Vocabulary& vocabulary) {
  if (name.empty()) return;
  const std::vector<std::string> words = NameWords(name);
  for (size_t i = 0; i < words.size(); ++i) {
    vocabulary.words.insert(words[i]);
    std::string run = words[i];
    for (size_t j = i + 1; j < words.size() && j < i + 3; ++j) {
      run += ' ';
      run += words[j];
      vocabulary.runs.insert(run);
    }
  }
}

void AddValues(MigrationXMLNode* node, Vocabulary& vocabulary) {
  for (const char* name : {"Name", "DisplayName", "ShortName", "Parent", "ShortParent"}) {
    MigrationXMLAttribute* attribute = node->GetAttribute(name);
    if (attribute != nullptr) AddName(attribute->GetValue(), vocabulary);
  }
}

bool ReadNames(const fs::path& folder, Vocabulary& vocabulary) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".xml") continue;
    MigrationXMLNode* document = MigrationXMLNode::CreateFromFile(entry.path().string().c_str());
    if (document == nullptr) return false;
    for (const char* element : {"Class", "Simple"}) {
      MigrationXMLSearch search(element);
      for (void* at = search.SearchStart(document); at != nullptr;) {
        AddValues(search.SearchNext(at), vocabulary);
      }
    }
    document->Release();
  }
  return !error;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 elsewhere.
long StatusKib(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  }
  return 0;
}

// Hands the freed dictionaries back to the system, so that the lexicon's
// memory is not taken from them unseen, then starts the peak resident size
// over from the present one (Linux 4.0 on).
void ResetPeak() {
  malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
}

void Measure(const Vocabulary& vocabulary, const std::string& folder) {
  const Clock::time_point start = Clock::now();
  const double cpu_start = CpuMilliseconds();
  Lexicon lexicon;
  const std::string problem = lexicon.LoadWordNet(folder);
  const Clock::time_point loaded = Clock::now();
  const double cpu_loaded = CpuMilliseconds();
  if (!problem.empty()) {
    std::fprintf(stderr, "zor_lexicon_bench: %s\n", problem.c_str());
    std::exit(1);
  }
  size_t related_words = 0, relations = 0, entries = 0;
  for (const std::string& word : vocabulary.words) {
    const size_t found = lexicon.Related(word).size();
    relations += found;
    related_words += found > 0;
  }
  const Clock::time_point words_done = Clock::now();
  for (const std::string& run : vocabulary.runs) {
    if (!lexicon.IsEntry(run)) continue;
    ++entries;
    relations += lexicon.Related(run).size();
  }
  const Clock::time_point runs_done = Clock::now();
  const double cpu_done = CpuMilliseconds();
  std::printf(
      "load %.1f ms, words %.1f ms, runs %.1f ms, total %.1f ms (cpu: load %.1f ms, all %.1f ms)\n",
      Milliseconds(start, loaded), Milliseconds(loaded, words_done),
      Milliseconds(words_done, runs_done), Milliseconds(start, runs_done), cpu_loaded - cpu_start,
      cpu_done - cpu_start);
  std::printf("  %zu words with relations, %zu runs that are entries, %zu relations\n",
              related_words, entries, relations);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: zor_lexicon_bench TREE [--wordnet DIR] [--repeat N]\n");
    return 2;
  }
  std::string folder = DefaultWordNetFolder();
  int repeat = 1;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    if (option == "--wordnet") folder = argv[i + 1];
    if (option == "--repeat") repeat = std::max(1, std::atoi(argv[i + 1]));
  }
  Vocabulary vocabulary;
  const fs::path dictionary = fs::path(argv[1]) / "Dictionary";
  if (!ReadNames(dictionary / "V4_Exported_XML", vocabulary) ||
      !ReadNames(dictionary / "V5_Exported_XML", vocabulary)) {
    std::fprintf(stderr, "zor_lexicon_bench: cannot read the dictionaries of %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu distinct words, %zu distinct runs of 2-3 words\n", vocabulary.words.size(),
              vocabulary.runs.size());
  ResetPeak();
  const long before = StatusKib("VmRSS");
  for (int round = 0; round < repeat; ++round) {
    Measure(vocabulary, folder);
    if (round == 0) {
      std::printf("  peak memory added: %.1f MiB (resident %.1f MiB before, peak %.1f MiB)\n",
                  (StatusKib("VmHWM") - before) / 1024.0, before / 1024.0,
                  StatusKib("VmHWM") / 1024.0);
    }
  }
  return 0;
}
