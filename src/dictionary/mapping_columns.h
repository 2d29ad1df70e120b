// The seven columns of a mapping-table row, named once for every reader of
// the table. A column here is the n-th field the tokenizer yields: adjacent
// commas act as one, so an empty column moves the later values forward.
#ifndef ZOR_DICTIONARY_MAPPING_COLUMNS_H_
#define ZOR_DICTIONARY_MAPPING_COLUMNS_H_

#include <array>
#include <cstddef>
#include <string_view>

enum class MappingColumn {
  kSourceClass,      // the class of the dictionary to migrate
  kSourceParent,     // its parent
  kSourceAttribute,  // "*" in a class row, else the attribute
  kTargetClass,      // the target class
  kTargetParent,     // the target class's short parent
  kTargetAttribute,  // "*" in a class row, else the target attribute
  kDomain,           // the domain code
};

constexpr size_t kMappingColumnCount = 7;

// Every column in reading order, for walks over a whole row.
constexpr std::array<MappingColumn, kMappingColumnCount> kMappingColumns = {
    MappingColumn::kSourceClass, MappingColumn::kSourceParent, MappingColumn::kSourceAttribute,
    MappingColumn::kTargetClass, MappingColumn::kTargetParent, MappingColumn::kTargetAttribute,
    MappingColumn::kDomain};

// The column's place in a row's fields, counted from 0.
constexpr size_t ColumnIndex(MappingColumn column) { return static_cast<size_t>(column); }

static_assert(ColumnIndex(kMappingColumns.back()) == kMappingColumnCount - 1,
              "kMappingColumns lists every column in order");

// What no value of a row can hold: the reader splits a row on every comma,
// and a line end ends it (LF, and CR, at which editors and CSV tools break
// lines as well).
constexpr std::string_view kRowBreaks = ",\r\n";
constexpr bool NoRowCanHold(std::string_view value) {
  return value.find_first_of(kRowBreaks) != std::string_view::npos;
}

#endif  // ZOR_DICTIONARY_MAPPING_COLUMNS_H_
