// The encodings spreadsheets save text in, as UTF-8: a UTF-8 byte-order
// mark is passed over and UTF-16 with a byte-order mark ("Unicode text") is
// transcoded. UTF-32 and UTF-16 without a mark are refused rather than
// guessed at.
#ifndef ZOR_MERGE_UNICODE_TEXT_H_
#define ZOR_MERGE_UNICODE_TEXT_H_

#include <string>
#include <string_view>

enum class TextEncoding { kUtf8, kUtf8WithMark, kUtf16 };

struct DecodedText {
  TextEncoding encoding = TextEncoding::kUtf8;
  std::string transcoded;  // the text of a UTF-16 file
  std::string_view text;   // the UTF-8 text: into the bytes, or into `transcoded`
  std::string problem;     // why the bytes cannot be read as text; empty otherwise
};

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// "UTF-16 text", "UTF-32 text" or "UTF-16 text without a byte-order mark"
// when `bytes` start as wide text does, which the table reader cannot read
// (it stops at the first NUL byte); empty for any other bytes.
std::string WideTextName(std::string_view bytes);

// `bytes` must outlive the result, and the result must not be copied (its
// view may point into itself).
void DecodeText(std::string_view bytes, DecodedText& decoded);

#endif  // ZOR_MERGE_UNICODE_TEXT_H_
