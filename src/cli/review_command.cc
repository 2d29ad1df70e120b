// zorvez review: the review of suggest's suggestions as a workbench served
// on the loopback address, which keeps every decision in a decisions file
// and applies them to the mapping table on request.
#include <unistd.h>  // getpid, which the Windows C runtime has as well

#include <array>
#include <charconv>
#include <filesystem>
#include <sstream>

#include "cli/lexicon_options.h"
#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "platform/desktop_browser.h"
#include "platform/exclusive_lock.h"
#include "platform/stop_request.h"
#include "platform/utf8_files.h"
#include "review/review_page.h"
#include "review/review_server.h"
#include "review/review_service.h"

namespace {

constexpr std::array<OptionRule, 8> kOptions{{
    {"help", 'h', false},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"synonyms", '\0', true},
    {"wordnet", '\0', true},
    {"decisions", '\0', true},
    {"port", '\0', true},
    {"no-browser", '\0', false},
}};

constexpr const char* kUsage =
    "usage: zorvez review [--v5] [--old] [--synonyms FILE] [--wordnet DIR|none]\n"
    "                     [--decisions FILE] [--port N] [--no-browser]\n"
    "                     SOURCE.xml TARGET.xml MAPPING.csv\n";

void WriteHelp(std::ostream& out) {
  out << kUsage
      << "\n"
         "Reviews the suggestions of 'zorvez suggest' in the browser: serves a page on\n"
         "127.0.0.1 (nowhere else), prints its address with a fresh token as the first\n"
         "line of standard output and opens it in the desktop's browser. Each decision\n"
         "is answered by the engine (a class's attributes ranked again in the target\n"
         "decided, targets another item held judged again, typed targets found in the\n"
         "whole target dictionary) and is in the decisions file before the page shows\n"
         "it taken. 'Apply to table' writes the decided rows into MAPPING.csv through\n"
         "merge's rules, the table as it was kept as MAPPING.csv.bak.N. When an input\n"
         "changes on disk it is read again and the decisions carried as 'suggest\n"
         "--decisions' carries them. It serves until Ctrl-C or the page's Quit.\n"
         "\n"
         "  --v5, --old        read the dictionaries as check does with these options\n"
         "  --synonyms FILE    the words and abbreviations of your trade (as suggest)\n"
         "  --wordnet DIR      WordNet's database (default: Debian's); none: without it\n"
         "  --decisions FILE   the review's decisions file (default: beside the table,\n"
         "                     named after it: MAPPING.decisions.json); read at start\n"
         "                     when it exists, written on every decision\n"
         "  --port N           listen on port N of 127.0.0.1 (default: a free port)\n"
         "  --no-browser       print the address only\n"
         "  -h, --help         print this help\n"
         "\n"
         "Exit status: 0 the review stopped, 1 another review holds the table or the\n"
         "decisions file, 2 usage error or an input that cannot be used.\n";
}

struct ReviewOptions {
  FindingRunOptions inputs;
  LexiconOptions lexicon;
  std::string decisions;
  int port = 0;
  bool browser = true;
};

// MAPPING.decisions.json beside MAPPING.csv.
std::string DefaultDecisionsPath(const std::string& table) {
  std::filesystem::path path = PathFromUtf8(table.c_str());
  path.replace_extension(".decisions.json");
  return Utf8FromPath(path);
}

ReviewOptions ReadOptions(const ParsedArguments& parsed) {
  RequireOperands(parsed, 3, "SOURCE.xml TARGET.xml MAPPING.csv");
  ReviewOptions options;
  options.inputs = {parsed.Operands()[0], parsed.Operands()[1], parsed.Operands()[2],
                    parsed.Has("v5"), parsed.Has("old")};
  options.lexicon = ReadLexiconOptions(parsed);
  options.decisions = parsed.Value("decisions");
  if (parsed.Has("decisions") && options.decisions.empty())
    throw UsageError("--decisions needs a file name");
  if (options.decisions.empty())
    options.decisions = DefaultDecisionsPath(options.inputs.mapping_path);
  if (parsed.Has("port")) {
    const std::string text = parsed.Value("port");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), options.port);
    if (error != std::errc() || end != text.data() + text.size() || options.port < 1 ||
        options.port > 65535) {
      throw UsageError("--port: '" + text + "' is not a port number from 1 to 65535");
    }
  }
  options.browser = !parsed.Has("no-browser");
  return options;
}

// Takes the lock file beside `path`; null after saying who holds it.
std::unique_ptr<ExclusiveLock> Lock(const std::string& path, const std::string& what,
                                    const std::string& holder, CliStreams& io) {
  const std::string lock_path = path + ".review-lock";
  std::string held_by, problem;
  std::unique_ptr<ExclusiveLock> lock = ExclusiveLock::Take(lock_path, holder, held_by, problem);
  if (lock) return lock;
  if (!problem.empty()) {
    ReportError(io, "review: " + problem);
    return nullptr;
  }
  while (!held_by.empty() && (held_by.back() == '\n' || held_by.back() == '\r')) held_by.pop_back();
  for (char& c : held_by) {
    if (c == '\n') c = ' ';
  }
  ReportError(io, "review: " + path + " is " + what + " of another review (" +
                      (held_by.empty() ? std::string("starting") : held_by) + "; its lock is " +
                      lock_path + "): open that review's address, or stop it first");
  return nullptr;
}

int RunReview(const ReviewOptions& options, CliStreams& io) {
  // From the start: Ctrl-C while the inputs are read ends the review as
  // cleanly as later.
  CatchStopRequests();
  ReviewSetup setup;
  setup.request.inputs = options.inputs;
  setup.request.command = "review";
  setup.decisions_path = options.decisions;
  setup.synonyms_path = options.lexicon.synonyms;
  setup.load_lexicon = [lexicon_options = options.lexicon](std::string& said) {
    std::ostringstream out, err;
    CliStreams captured{out, err};
    auto lexicon = std::make_shared<Lexicon>();
    const bool loaded = LoadLexicon(lexicon_options, "review", captured, *lexicon);
    said = err.str();
    return loaded ? std::shared_ptr<const Lexicon>(std::move(lexicon)) : nullptr;
  };
  ReviewService service(std::move(setup));
  // The locks first, then the inputs (an input that cannot be used ends
  // the review before it holds a port), then the port, which the locks
  // then name.
  const std::string starting = "process " + std::to_string(getpid()) + ", starting\n";
  const std::unique_ptr<ExclusiveLock> table_lock =
      Lock(options.inputs.mapping_path, "the mapping table", starting, io);
  if (!table_lock) return kExitFindings;
  const std::unique_ptr<ExclusiveLock> decisions_lock =
      Lock(options.decisions, "the decisions file", starting, io);
  if (!decisions_lock) return kExitFindings;
  if (!service.Start(io)) return kExitTrouble;
  ReviewServer server(service, ReviewPagePolicy());
  std::string problem;
  if (!server.Listen(options.port, problem)) {
    ReportError(io, "review: " + problem);
    return kExitTrouble;
  }
  const std::string address = server.Guard().Origin() + "/";
  const std::string holder = "process " + std::to_string(getpid()) + " at " + address + "\n";
  table_lock->Rewrite(holder);
  decisions_lock->Rewrite(holder);
  io.out << server.Guard().Address() << std::endl;
  ReportError(io, "review: serving the review of " + options.inputs.mapping_path + " at " +
                      address + " (decisions in " + options.decisions +
                      "); Ctrl-C or the page's Quit stops it");
  if (options.browser && !OpenInDesktopBrowser(server.Guard().Address()))
    ReportError(io, "review: no desktop browser to open: open the address above in one");
  server.Serve([&] { return StopRequested() || service.QuitAsked(); }, [&] { service.Tick(); });
  service.Settle();
  ReportError(io, "review: stopped; the decisions are in " + options.decisions);
  return kExitClean;
}

}  // namespace

int RunReviewCommand(std::span<const std::string> arguments, CliStreams& io) {
  ReviewOptions options;
  try {
    ParsedArguments parsed = ParseArguments(arguments, kOptions);
    if (parsed.Has("help")) {
      WriteHelp(io.out);
      return kExitClean;
    }
    options = ReadOptions(parsed);
  } catch (const UsageError& error) {
    ReportError(io, std::string("review: ") + error.what());
    io.err << kUsage << "Run 'zorvez review --help' for the options.\n";
    return kExitTrouble;
  }
  return RunReview(options, io);
}
