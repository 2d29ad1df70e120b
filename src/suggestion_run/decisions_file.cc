#include "suggestion_run/decisions_file.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

// What JSON type a value is, as the messages name it.
std::string TypeWords(const Json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
  if (value.is_number()) return "a number";
  if (value.is_string()) return "a string";
  if (value.is_array()) return "an array";
  return "an object";
}

bool HasOnly(const Json& object, std::initializer_list<std::string_view> names,
             std::string& unknown) {
  for (const auto& [name, value] : object.items()) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      unknown = name;
      return false;
    }
  }
  return true;
}

// Why `value` is not an object of strings named `names`, or "".
std::string StringsProblem(const Json& value, std::string_view what,
                           std::initializer_list<std::string_view> names) {
  if (!value.is_object()) return std::string(what) + " is " + TypeWords(value) + ", not an object";
  std::string unknown;
  if (!HasOnly(value, names, unknown))
    return std::string(what) + " has a member '" + unknown + "' no decision has";
  for (const auto& [name, member] : value.items()) {
    if (!member.is_string()) {
      return std::string(what) + "'s " + name + " is " + TypeWords(member) + ", not a string";
    }
  }
  return "";
}

// The entry, or why it cannot be one.
std::string ReadEntry(const Json& value, DecisionEntry& entry) {
  if (!value.is_object()) return "is " + TypeWords(value) + ", not an object";
  std::string unknown;
  if (!HasOnly(value, {"class", "attribute", "target", "no_mapping"}, unknown))
    return "has a member '" + unknown + "' no decision has";
  const auto klass = value.find("class");
  if (klass == value.end()) return "names no class";
  if (!klass->is_string()) return "class is " + TypeWords(*klass) + ", not a string (a class key)";
  entry.class_key = klass->get<std::string>();
  if (const auto attribute = value.find("attribute"); attribute != value.end()) {
    if (std::string problem = StringsProblem(*attribute, "attribute", {"key", "label"});
        !problem.empty())
      return problem;
    if (!attribute->contains("key") || !attribute->contains("label"))
      return "attribute needs its key and its label";
    entry.for_attribute = true;
    entry.attribute_key = (*attribute)["key"].get<std::string>();
    entry.attribute_label = (*attribute)["label"].get<std::string>();
  }
  const auto target = value.find("target");
  const auto none = value.find("no_mapping");
  if (target != value.end() && none != value.end())
    return "has both target and no_mapping: decide one of them";
  if (none != value.end()) {
    if (!none->is_boolean() || !none->get<bool>())
      return "no_mapping is " + TypeWords(*none) + ", not true";
    entry.no_mapping = true;
    return "";
  }
  if (target == value.end()) return "has neither target nor no_mapping";
  if (std::string problem = StringsProblem(*target, "target", {"class", "key"}); !problem.empty())
    return problem;
  if (!target->contains("key")) return "target names no key";
  if (entry.for_attribute && !target->contains("class"))
    return "target names no class: an attribute's target is a class and its attribute key";
  if (!entry.for_attribute && target->contains("class"))
    return "target names a class and a key, which an attribute's target does: a class's is "
           "its key alone";
  entry.target_key = (*target)["key"].get<std::string>();
  if (entry.for_attribute) entry.target_class = (*target)["class"].get<std::string>();
  return "";
}

// The line of byte `at`, for a message about JSON that does not parse.
size_t LineAt(std::string_view bytes, size_t at) {
  at = std::min(at, bytes.size());
  return 1 + static_cast<size_t>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
}

std::string FileProblem(const Json& file) {
  if (!file.is_object()) return "is " + TypeWords(file) + ", not a decisions file";
  const auto format = file.find("format");
  if (format == file.end() || *format != kDecisionsFormat)
    return "is not a decisions file (its format is not \"" + std::string(kDecisionsFormat) +
           "\"; the review page's Save decisions writes one)";
  const auto version = file.find("version");
  if (version == file.end() || *version != 1)
    return "is a decisions file of another version, which this zorvez cannot read";
  const auto decisions = file.find("decisions");
  if (decisions == file.end() || !decisions->is_array()) return "holds no list of decisions";
  return "";
}

}  // namespace

DecisionsFile ParseDecisions(std::string_view bytes) {
  DecisionsFile result;
  Json file;
  try {
    file = Json::parse(bytes.begin(), bytes.end());
  } catch (const Json::parse_error& error) {
    result.problems.push_back(
        {0, "is not JSON (line " + std::to_string(LineAt(bytes, error.byte)) + ")"});
    return result;
  } catch (const Json::out_of_range&) {
    // Valid JSON, but a number beyond a double: the reader gives no place.
    result.problems.push_back({0, "holds a number too large to read"});
    return result;
  }
  if (std::string problem = FileProblem(file); !problem.empty()) {
    result.problems.push_back({0, std::move(problem)});
    return result;
  }
  if (const auto hash = file.find("suggestions"); hash != file.end() && hash->is_string())
    result.suggestions = hash->get<std::string>();
  size_t number = 0;
  for (const Json& value : file["decisions"]) {
    DecisionEntry entry;
    entry.number = ++number;
    if (std::string problem = ReadEntry(value, entry); !problem.empty()) {
      result.problems.push_back({entry.number, std::move(problem)});
    } else {
      result.entries.push_back(std::move(entry));
    }
  }
  return result;
}

std::string DecisionsProblemText(const std::string& file, const DecisionsProblem& problem) {
  std::string text = file.empty() ? std::string("''") : file;
  if (problem.entry > 0) text += ": entry " + std::to_string(problem.entry);
  return text + ": " + problem.reason;
}

Json DecisionEntryJson(const DecisionEntry& entry) {
  Json written = {{"class", entry.class_key}};
  if (entry.for_attribute)
    written["attribute"] = {{"key", entry.attribute_key}, {"label", entry.attribute_label}};
  if (entry.no_mapping) {
    written["no_mapping"] = true;
  } else if (entry.for_attribute) {
    written["target"] = {{"class", entry.target_class}, {"key", entry.target_key}};
  } else {
    written["target"] = {{"key", entry.target_key}};
  }
  return written;
}
