// Text folded for comparing names the way people read them: letter case,
// compatibility forms (ligatures, full-width letters) and accents do not
// count. Names that are not valid UTF-8 (a dictionary saved as windows-1252,
// say) are read one byte a character, so they fold too and never fail.
#ifndef ZOR_TEXT_FOLDED_TEXT_H_
#define ZOR_TEXT_FOLDED_TEXT_H_

#include <string>
#include <string_view>

// Case-folded, compatibility-normalised, without accents.
std::string FoldText(std::string_view text);

// FoldText without the characters people use interchangeably between words
// (blanks, underscores, hyphens, dots): "Flow_Rate", "flow rate" and
// "FlowRate" fold alike.
std::string FoldCompact(std::string_view text);

// The text as valid UTF-8: every byte that does not start a valid UTF-8
// sequence becomes the character of that number (Latin-1's reading).
std::string ValidUtf8(std::string_view text);

#endif  // ZOR_TEXT_FOLDED_TEXT_H_
