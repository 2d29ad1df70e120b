#include "compare/class_record.h"

#include "dictionary/dictionary_queries.h"
#include "text/text_helpers.h"

namespace {

ZORUnicodeString ReadPlain(MigrationXMLNode* node, const char* attribute) {
  return Plain(GetValueByTagName(node, attribute));
}

ZORUnicodeString ReadIfNamed(MigrationXMLNode* node, const char* attribute) {
  return attribute ? GetValueByTagName(node, attribute) : ZORUnicodeString();
}

}  // namespace

SourceClass ReadSourceClass(const PassProfile& profile, MigrationXMLNode* node) {
  SourceClass source;
  source.node = node;
  source.label = ReadPlain(node, profile.source_class.label);
  source.key = ReadPlain(node, profile.source_class.key);
  source.parent = ReadPlain(node, profile.source_class.parent);
  source.short_parent = ReadPlain(node, profile.source_class.short_parent);
  source.uuid = ReadIfNamed(node, profile.source_uuid);
  source.domain = ReadIfNamed(node, profile.source_domain);
  source.creator = ReadIfNamed(node, profile.source_creator);
  return source;
}

TargetClass ReadTargetClass(const PassProfile& profile, MigrationXMLNode* node, size_t position) {
  TargetClass target;
  target.node = node;
  target.position = position;
  target.label = ReadPlain(node, profile.target_class.label);
  target.key = ReadPlain(node, profile.target_class.key);
  target.parent = ReadPlain(node, profile.target_class.parent);
  target.short_parent = ReadPlain(node, profile.target_class.short_parent);
  target.creator = GetValueByTagName(node, profile.target_creator);
  target.uuid = ReadIfNamed(node, profile.target_uuid);
  return target;
}

TargetAttribute ReadTargetAttribute(const PassProfile& profile, MigrationXMLNode* node,
                                    std::deque<std::string>& pool) {
  auto plain_view = [&](const char* name) {
    std::string_view value = AttributeView(node, name);
    if (value.find('&') == std::string_view::npos) return value;
    ZORUnicodeString unescaped = Plain(ZORUnicodeString(value));
    if (unescaped.str() == value) return value;
    pool.push_back(std::move(unescaped.str()));
    return std::string_view(pool.back());
  };
  return {plain_view(profile.target_attribute.label), plain_view(profile.target_attribute.key)};
}

const ZORUnicodeString& RowNameOf(const PassProfile& profile, const SourceClass& source) {
  return profile.v5v5 ? source.key : source.label;
}
