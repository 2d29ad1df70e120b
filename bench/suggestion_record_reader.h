// A record of `zorvez suggest --format jsonl` read back as plain data, for
// a page made of saved records (zor_findings_page) and the tests that hold
// such a page against the one `explore --suggest` writes from its run. The
// explorer page itself takes a run's items as they are, never their text.
#ifndef ZOR_BENCH_SUGGESTION_RECORD_READER_H_
#define ZOR_BENCH_SUGGESTION_RECORD_READER_H_

#include <nlohmann/json.hpp>
#include <optional>

#include "output/suggestion_record.h"

// None for a record of another kind, or one that is not an object; a field
// of another type than the records give is read as empty.
std::optional<SuggestionRecord> ReadSuggestionRecord(const nlohmann::json& record);

#endif  // ZOR_BENCH_SUGGESTION_RECORD_READER_H_
