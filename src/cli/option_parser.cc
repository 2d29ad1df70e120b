#include "cli/option_parser.h"

#include "text/quoted_value.h"

namespace {

const OptionRule* FindLong(std::span<const OptionRule> rules, std::string_view name) {
  for (const OptionRule& rule : rules) {
    if (rule.long_name == name) return &rule;
  }
  return nullptr;
}

const OptionRule* FindShort(std::span<const OptionRule> rules, char name) {
  for (const OptionRule& rule : rules) {
    if (rule.short_name != '\0' && rule.short_name == name) return &rule;
  }
  return nullptr;
}

}  // namespace

bool ParsedArguments::Has(std::string_view long_name) const {
  return options_.find(long_name) != options_.end();
}

std::string ParsedArguments::Value(std::string_view long_name, std::string_view fallback) const {
  auto it = options_.find(long_name);
  return it == options_.end() ? std::string(fallback) : it->second;
}

ParsedArguments ParseArguments(std::span<const std::string> arguments,
                               std::span<const OptionRule> rules) {
  ParsedArguments parsed;
  bool options_ended = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string_view argument = arguments[i];
    if (options_ended || argument.size() < 2 || argument[0] != '-') {
      parsed.operands_.emplace_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    const OptionRule* rule = nullptr;
    std::string_view attached;  // a value given in the same argument
    bool has_attached = false;
    if (argument.starts_with("--")) {
      std::string_view name = argument.substr(2);
      size_t equals = name.find('=');
      if (equals != std::string_view::npos) {
        attached = name.substr(equals + 1);
        has_attached = true;
        name = name.substr(0, equals);
      }
      rule = FindLong(rules, name);
    } else if (argument.size() == 2) {
      rule = FindShort(rules, argument[1]);
    }
    if (rule == nullptr) throw UsageError("unknown option " + Quoted(argument));
    std::string key(rule->long_name);
    if (!rule->takes_value) {
      if (has_attached) throw UsageError("option --" + key + " takes no value");
      parsed.options_[key] = "";
      continue;
    }
    if (!has_attached) {
      if (i + 1 >= arguments.size()) throw UsageError("option --" + key + " needs a value");
      attached = arguments[++i];
    }
    parsed.options_[key] = std::string(attached);
  }
  return parsed;
}

void RequireOperands(const ParsedArguments& parsed, size_t count, std::string_view names) {
  size_t given = parsed.Operands().size();
  if (given == count) return;
  throw UsageError(
      (given < count ? "missing operands: expected " : "too many operands: expected ") +
      std::string(names));
}
