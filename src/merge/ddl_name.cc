#include "merge/ddl_name.h"

#include "text/quoted_value.h"
#include "text/text_helpers.h"

std::optional<std::string> DdlNameMismatch(std::string_view source_label,
                                           std::string_view target_class) {
  const std::string ddl_name = WithoutWhiteSpace(ZORUnicodeString(source_label)).str();
  if (ddl_name == target_class) return std::nullopt;
  const std::string target = Quoted(target_class);
  const std::string ddl = Quoted(ddl_name);
  return "the proposed DDL names the new class " + ddl + " after the source label, not " + target +
         ", so once it is loaded the next run still misses " + target + ": write " + ddl +
         " as the target class, or rename the class in the DDL to " + target + " before loading it";
}
