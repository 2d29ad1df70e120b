// Everything that differs between the V4/V5 pass and the V5/V5 pass, as
// data: which XML attributes fill each field, which codes mark a class row
// as naming no target class, and the name the texts give the target. The
// few steps that behave differently test `v5v5` in compare/ and nowhere
// else.
#ifndef ZOR_COMPARE_PASS_PROFILE_H_
#define ZOR_COMPARE_PASS_PROFILE_H_

#include <span>
#include <string_view>

// XML attribute names of a class's label, key, parent and short parent.
struct ClassNames {
  const char* label;
  const char* key;
  const char* parent;
  const char* short_parent;
};

// XML attribute names of an attribute definition.
struct AttributeNames {
  const char* label;
  const char* key;
  const char* default_value;
};

struct PassProfile {
  bool v5v5;
  bool old_format;
  ClassNames source_class;
  ClassNames target_class;
  const char* target_creator;
  // The V5/V5 pass (current format) also reads each class's UUID and
  // creator; nullptr where a value is not read.
  const char* source_uuid;
  const char* source_creator;
  const char* source_domain;
  const char* target_uuid;
  AttributeNames source_attribute;
  AttributeNames target_attribute;
  // Field 4 values of a class row that names no target class.
  std::span<const std::string_view> bad_mapping_codes;
  // "V5" or "V5B": how the report names the target dictionary.
  const char* target_name;
};

const PassProfile& ProfileFor(bool v5v5, bool old_format);

#endif  // ZOR_COMPARE_PASS_PROFILE_H_
