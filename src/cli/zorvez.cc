#include "cli/zorvez.h"

#include "cli/subcommands.h"

#ifndef ZOR_VERSION
#define ZOR_VERSION "unknown"
#endif

namespace {

void WriteOverview(std::ostream& out) {
  out << "usage: zorvez [--help] [--version] SUBCOMMAND [options] [--] operands\n\n"
         "Subcommands:\n";
  for (const Subcommand& command : Subcommands()) {
    std::string name(command.name);
    name.resize(10, ' ');
    out << "  " << name << command.summary << '\n';
  }
  out << "\nRun 'zorvez SUBCOMMAND --help' or 'zorvez help SUBCOMMAND' for its options.\n"
         "Exit status: 0 nothing to report, 1 findings or refusals, 2 usage error or\n"
         "unusable input.\n";
}

const Subcommand* FindSubcommand(std::string_view name) {
  for (const Subcommand& command : Subcommands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

int UnknownSubcommand(CliStreams& io, std::string_view name) {
  ReportError(io, "unknown subcommand '" + std::string(name) + "' (see 'zorvez --help')");
  return kExitTrouble;
}

int RunHelp(std::span<const std::string> arguments, CliStreams& io) {
  if (arguments.empty()) {
    WriteOverview(io.out);
    return kExitClean;
  }
  const Subcommand* command = FindSubcommand(arguments[0]);
  if (command == nullptr) return UnknownSubcommand(io, arguments[0]);
  static const std::string kHelp = "--help";
  return command->run(std::span<const std::string>(&kHelp, 1), io);
}

}  // namespace

const char* ZorvezVersion() { return ZOR_VERSION; }

int RunZorvez(std::span<const std::string> arguments, CliStreams& io) {
  if (arguments.empty()) {
    WriteOverview(io.err);
    return kExitTrouble;
  }
  const std::string& first = arguments[0];
  std::span<const std::string> rest = arguments.subspan(1);
  if (first == "--help" || first == "-h") return RunHelp({}, io);
  if (first == "help") return RunHelp(rest, io);
  if (first == "--version") {
    io.out << "zorvez " << ZorvezVersion() << '\n';
    return kExitClean;
  }
  const Subcommand* command = FindSubcommand(first);
  if (command == nullptr) return UnknownSubcommand(io, first);
  return command->run(rest, io);
}
