// The names a completed row must use for the next run to find what it
// means: the classes and attributes of the dictionary to migrate (columns 1
// to 3) and of the target (columns 4 to 6), as the lookups compare them.
// A row naming what the source lacks can never be found; one naming a
// target class or attribute that is not there proposes a new one, which is
// taken as meant unless a known name is close enough to be the one meant.
#ifndef ZOR_MERGE_DICTIONARY_NAMES_H_
#define ZOR_MERGE_DICTIONARY_NAMES_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "merge/completed_rows.h"
#include "text/name_hints.h"

class DictionaryNames {
 public:
  // A class element. Classes of one name are one class here, with the
  // parents and attributes of them all: a row may name any of them.
  void AddClass(std::string_view name, std::string_view parent);
  void AddAttribute(std::string_view class_name, std::string_view attribute);

  const NameHints& Classes() const { return classes_; }
  // The parent of the first class of that name, for messages.
  const std::string& ParentOf(std::string_view name) const;
  // Whether a class of that name has that parent.
  bool HasParent(std::string_view name, std::string_view parent) const;
  // The attributes of a known class; none for a class without any.
  const NameHints& AttributesOf(std::string_view name) const;

 private:
  struct ClassNames {
    std::vector<std::string> parents;
    NameHints attributes;
  };
  const ClassNames* Find(std::string_view name) const;

  NameHints classes_;
  std::unordered_map<std::string, ClassNames> by_name_;
};

// Why the usable row `row` names what the dictionaries lack, with the name
// it most likely means; empty when it names what they have. Either side may
// be null; the file names are for the message.
std::string CheckRowNames(const CompletedRow& row, const DictionaryNames* source,
                          std::string_view source_file, const DictionaryNames* target,
                          std::string_view target_file);

// For a usable class row of the V4/V5 run naming a target class that
// `target` lacks (a new class the next run proposes): why the proposed DDL's
// class will not be the one the row names; empty otherwise.
std::string CheckNewClassName(const CompletedRow& row, const DictionaryNames& target);

#endif  // ZOR_MERGE_DICTIONARY_NAMES_H_
