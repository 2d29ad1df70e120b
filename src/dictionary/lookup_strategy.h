// How the lookups into the mapping table and the target dictionary are made.
// Both give the same console and files byte for byte: the linear scans
// (ScanningCursor, TargetWalk) read the table and the target from their
// start for every lookup, as the behaviour is defined; the indexed lookups
// (IndexedCursor, TargetCatalog) answer the same questions from indexes
// built once per run. The linear scans are kept as the reference that the
// indexed lookups are tested against.
#ifndef ZOR_DICTIONARY_LOOKUP_STRATEGY_H_
#define ZOR_DICTIONARY_LOOKUP_STRATEGY_H_

enum class LookupStrategy { kIndexed, kLinearScans };

#endif  // ZOR_DICTIONARY_LOOKUP_STRATEGY_H_
