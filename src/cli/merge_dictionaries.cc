#include "cli/merge_dictionaries.h"

#include <deque>

#include "cli/finding_records.h"
#include "compare/class_record.h"
#include "compare/target_catalog.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

namespace {

void ReadSourceNames(const PassProfile& profile, MigrationXMLNode* root, DictionaryNames& names) {
  ForEachElement(root, "Class", [&](MigrationXMLNode* node) {
    SourceClass source = ReadSourceClass(profile, node);
    const std::string& name = RowNameOf(profile, source).str();
    names.AddClass(name, source.parent.str());
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      names.AddAttribute(name, Plain(getValueByTagName(attribute, profile.sourceAttribute.label)).str());
      return true;
    });
    return true;
  });
}

void ReadTargetNames(const PassProfile& profile, MigrationXMLNode* root, DictionaryNames& names) {
  size_t position = 0;
  std::deque<std::string> pool;
  ForEachElement(root, "Class", [&](MigrationXMLNode* node) {
    TargetClass target = ReadTargetClass(profile, node, position++);
    auto [key, parent] = CounterpartKey(profile, target);
    std::string name(key);
    names.AddClass(name, parent);
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      names.AddAttribute(name, ReadTargetAttribute(profile, attribute, pool).key);
      return true;
    });
    return true;
  });
}

}  // namespace

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
