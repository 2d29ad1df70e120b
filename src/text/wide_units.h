// UTF-16 and UTF-32 text as UTF-8, for the files spreadsheets save as
// "Unicode text", and the test for a valid UTF-8 sequence. One reading for
// every reader of such files, so that they agree on what a file says.
#ifndef ZOR_TEXT_WIDE_UNITS_H_
#define ZOR_TEXT_WIDE_UNITS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The UTF-8 form of a code point; one that UTF-8 cannot hold (a surrogate,
// a value past U+10FFFF) becomes U+FFFD.
void AppendUtf8(uint32_t code, std::string& out);

// Appends `units` (code units of `width` bytes, 2 or 4, after any byte-order
// mark) to `out` as UTF-8. A lone surrogate, or bytes left over at the end,
// becomes U+FFFD so that nothing is dropped without a trace. Returns the
// offset in `units` of the first such unit, or npos when every unit was a
// character.
size_t AppendWideAsUtf8(std::string_view units, size_t width, bool little_endian, std::string& out);

// The length of the valid UTF-8 sequence at `at`, a position inside the
// text, or 0 when the bytes there are not UTF-8 (overlong forms and
// surrogates included).
size_t Utf8SequenceLength(std::string_view text, size_t at);

#endif  // ZOR_TEXT_WIDE_UNITS_H_
