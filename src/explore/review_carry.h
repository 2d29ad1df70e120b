// What the review page needs to take decisions saved from another page: the
// items the table maps (so that it can tell an item the table maps now from
// one that is gone), and the decisions of `explore --suggest --decisions`
// that carried, which the page opens with.
#ifndef ZOR_EXPLORE_REVIEW_CARRY_H_
#define ZOR_EXPLORE_REVIEW_CARRY_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "suggestion_run/decided_items.h"
#include "suggestion_run/suggest_work.h"

// A source attribute known by its key and label, as the page hashes it:
// FNV-1a over the UTF-8 bytes of key, a line end and label. Within one
// class a collision is unlikely enough that the page only ever misnames why
// an entry does not carry, never what carries.
uint32_t AttributeNameHash(std::string_view key, std::string_view label);

// {"KEY":[attribute hash, ...], ...}: every source class that is not an
// item of the page, or that has attributes the table maps, with the hashes
// of those attributes. The first class of a key is the one a key names.
std::string MappedItemsJson(const SuggestWork& work);

// The carried entries, in the file's order, as a decisions file writes them.
std::string CarriedDecisionsJson(const DecidedItems& decided);

#endif  // ZOR_EXPLORE_REVIEW_CARRY_H_
