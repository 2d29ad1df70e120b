// The name a run's proposed DDL gives a new target class: the source label
// without its blanks, whatever the class row names. A row naming another
// target class is never found by the run after the DDL is loaded, which
// zorvez lint and zorvez merge both warn of, in the same words.
#ifndef ZOR_MERGE_DDL_NAME_H_
#define ZOR_MERGE_DDL_NAME_H_

#include <optional>
#include <string>
#include <string_view>

// Why a class row mapping `source_label` to the new class `target_class`
// will still miss it once the proposed DDL is loaded; nothing when the
// names agree.
std::optional<std::string> DdlNameMismatch(std::string_view source_label,
                                           std::string_view target_class);

#endif  // ZOR_MERGE_DDL_NAME_H_
