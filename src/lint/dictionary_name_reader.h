// Reads the names that mapping rows must use from a loaded dictionary, as
// the comparison's lookups compare them: the first three columns name the
// classes and attributes of the dictionary to migrate, the next three those
// of the target. zorvez lint and zorvez merge check rows against them.
#ifndef ZOR_LINT_DICTIONARY_NAME_READER_H_
#define ZOR_LINT_DICTIONARY_NAME_READER_H_

#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "merge/dictionary_names.h"

// Row names of the classes (label, or key in the V5/V5 pass), their
// parents and the labels of their attributes.
void ReadSourceNames(const PassProfile& profile, MigrationXMLNode* root, DictionaryNames& names);

// The values a class row's fourth and fifth columns must equal, and the
// keys of the attributes.
void ReadTargetNames(const PassProfile& profile, MigrationXMLNode* root, DictionaryNames& names);

#endif  // ZOR_LINT_DICTIONARY_NAME_READER_H_
