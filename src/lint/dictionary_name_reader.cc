#include "lint/dictionary_name_reader.h"

#include <deque>
#include <string>

#include "compare/class_record.h"
#include "compare/target_catalog.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

void ReadSourceNames(const PassProfile& profile, MigrationXMLNode* root, DictionaryNames& names) {
  ForEachElement(root, "Class", [&](MigrationXMLNode* node) {
    SourceClass source = ReadSourceClass(profile, node);
    const std::string& name = RowNameOf(profile, source).str();
    names.AddClass(name, source.parent.str());
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      names.AddAttribute(name,
                         Plain(GetValueByTagName(attribute, profile.source_attribute.label)).str());
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
    const std::string name(key);
    names.AddClass(name, parent);
    ForEachElement(node, "Simple", [&](MigrationXMLNode* attribute) {
      pool.clear();
      names.AddAttribute(name, ReadTargetAttribute(profile, attribute, pool).key);
      return true;
    });
    return true;
  });
}
