#include "cli/merge_dictionaries.h"

#include "comparison_run/comparison_run.h"
#include "lint/dictionary_name_reader.h"

bool LoadDictionaryNames(const std::string& path, bool source, bool v5v5, bool old_format,
                         CliStreams& io, DictionaryNames& names) {
  MigrationXMLNode* document = nullptr;
  MigrationXMLNode* root = LoadDictionary(path, io, document);
  if (root == nullptr) {
    if (document) document->Release();
    return false;
  }
  const PassProfile& profile = ProfileFor(v5v5, old_format);
  if (source) {
    ReadSourceNames(profile, root, names);
  } else {
    ReadTargetNames(profile, root, names);
  }
  document->Release();
  return true;
}
