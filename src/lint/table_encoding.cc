#include "lint/table_encoding.h"

#include <algorithm>
#include <cstdint>

#include "text/wide_units.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// UTF-16 without a byte-order mark: ASCII text with a NUL byte beside every
// character, on the same side throughout.
TableEncoding GuessWideText(std::string_view bytes) {
  size_t pairs = std::min<size_t>(bytes.size() / 2, 256);
  if (pairs < 2) return TableEncoding::kUtf8;
  size_t odd_nul = 0, even_nul = 0;
  for (size_t i = 0; i < pairs; ++i) {
    even_nul += bytes[2 * i] == '\0' ? 1 : 0;
    odd_nul += bytes[2 * i + 1] == '\0' ? 1 : 0;
  }
  if (odd_nul * 4 >= pairs * 3 && even_nul == 0) return TableEncoding::kUtf16Le;
  if (even_nul * 4 >= pairs * 3 && odd_nul == 0) return TableEncoding::kUtf16Be;
  return TableEncoding::kUtf8;
}

// Data that is not text at all: many control bytes near the start.
bool LooksBinary(std::string_view bytes) {
  std::string_view head = bytes.substr(0, 4096);
  size_t control = std::count_if(head.begin(), head.end(), [](char c) {
    unsigned char byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f';
  });
  return control * 8 > head.size();
}

TableEncoding Detect(std::string_view bytes) {
  if (StartsWith(bytes, std::string_view("\xFF\xFE\0\0", 4))) return TableEncoding::kUtf32Le;
  if (StartsWith(bytes, std::string_view("\0\0\xFE\xFF", 4))) return TableEncoding::kUtf32Be;
  if (StartsWith(bytes, "\xFF\xFE")) return TableEncoding::kUtf16Le;
  if (StartsWith(bytes, "\xFE\xFF")) return TableEncoding::kUtf16Be;
  if (StartsWith(bytes, kUtf8Bom)) return TableEncoding::kUtf8Bom;
  TableEncoding wide = GuessWideText(bytes);
  if (wide != TableEncoding::kUtf8) return wide;
  return LooksBinary(bytes) ? TableEncoding::kBinary : TableEncoding::kUtf8;
}

// Wide text to UTF-8; a lone surrogate or a trailing odd byte becomes
// U+FFFD, so that nothing is dropped without a trace.
std::string FromWide(std::string_view bytes, size_t width, bool little_endian) {
  std::string out;
  AppendWideAsUtf8(bytes, width, little_endian, out);
  return out;
}

size_t BomLength(TableEncoding encoding, std::string_view bytes) {
  switch (encoding) {
    case TableEncoding::kUtf8Bom:
      return 3;
    case TableEncoding::kUtf16Le:
    case TableEncoding::kUtf16Be:
      return StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF") ? 2 : 0;
    case TableEncoding::kUtf32Le:
    case TableEncoding::kUtf32Be:
      return 4;
    default:
      return 0;
  }
}

Hazard At(HazardCode code, HazardSeverity severity, long line, long column, std::string message,
          std::string fix = {}) {
  return {code, severity, line, column, std::move(message), std::move(fix)};
}

// One hazard per line that holds bytes that are not UTF-8, at the first;
// one for the first NUL byte, where the reader stops.
void ScanBytes(std::string_view text, Hazards& hazards) {
  long line = 1, column = 1;
  long reported_line = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == '\0') {
      hazards.push_back(At(HazardCode::kNul, HazardSeverity::kError, line, column,
                           "a NUL byte: the reader stops here, so nothing after it is read"));
      return;
    }
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      if (reported_line != line) {
        reported_line = line;
        hazards.push_back(At(HazardCode::kNotUtf8, HazardSeverity::kWarning, line, column,
                             "bytes that are not UTF-8 (often windows-1252 from a spreadsheet): "
                             "names written so never equal the dictionaries' names; save the "
                             "table as UTF-8"));
      }
      length = 1;
    }
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
    i += length;
  }
}

}  // namespace

DecodedTable DecodeTable(std::string_view bytes) {
  DecodedTable table;
  table.encoding = Detect(bytes);
  std::string_view body = bytes.substr(BomLength(table.encoding, bytes));
  switch (table.encoding) {
    case TableEncoding::kUtf16Le:
    case TableEncoding::kUtf16Be:
      table.text = FromWide(body, 2, table.encoding == TableEncoding::kUtf16Le);
      break;
    case TableEncoding::kUtf32Le:
    case TableEncoding::kUtf32Be:
      table.text = FromWide(body, 4, table.encoding == TableEncoding::kUtf32Le);
      break;
    case TableEncoding::kBinary:
      break;
    default:
      table.text = std::string(body);
  }
  // A mark written twice (a file saved with one through a tool that adds
  // another) goes with the first.
  if (table.encoding != TableEncoding::kUtf8) {
    while (table.text.starts_with(kUtf8Bom)) table.text.erase(0, kUtf8Bom.size());
  }
  return table;
}

DecodedTable DecodeTable(std::string&& bytes) {
  TableEncoding encoding = Detect(bytes);
  if (encoding != TableEncoding::kUtf8 && encoding != TableEncoding::kUtf8Bom) {
    return DecodeTable(std::string_view(bytes));
  }
  DecodedTable table;
  table.encoding = encoding;
  table.text = std::move(bytes);
  if (encoding == TableEncoding::kUtf8Bom) {
    size_t marks = 0;
    while (std::string_view(table.text).substr(marks).starts_with(kUtf8Bom)) {
      marks += kUtf8Bom.size();
    }
    table.text.erase(0, marks);
  }
  return table;
}

const char* EncodingName(TableEncoding encoding) {
  switch (encoding) {
    case TableEncoding::kUtf8:
      return "UTF-8";
    case TableEncoding::kUtf8Bom:
      return "UTF-8 with a byte-order mark";
    case TableEncoding::kUtf16Le:
      return "UTF-16 LE";
    case TableEncoding::kUtf16Be:
      return "UTF-16 BE";
    case TableEncoding::kUtf32Le:
      return "UTF-32 LE";
    case TableEncoding::kUtf32Be:
      return "UTF-32 BE";
    case TableEncoding::kBinary:
      return "binary data, not text";
  }
  return "UTF-8";
}

bool IsWideText(TableEncoding encoding) {
  return encoding == TableEncoding::kUtf16Le || encoding == TableEncoding::kUtf16Be ||
         encoding == TableEncoding::kUtf32Le || encoding == TableEncoding::kUtf32Be;
}

void ScanEncoding(const DecodedTable& table, Hazards& hazards) {
  if (table.encoding == TableEncoding::kUtf8Bom) {
    hazards.push_back(At(HazardCode::kBom, HazardSeverity::kWarning, 1, 1,
                         "a byte-order mark before the first row: the reader takes it as part of "
                         "the first class name, so that class is never found",
                         "drop the byte-order mark"));
  } else if (IsWideText(table.encoding)) {
    hazards.push_back(At(HazardCode::kUtf16, HazardSeverity::kError, 1, 1,
                         std::string("the table is ") + EncodingName(table.encoding) +
                             " text: the reader takes bytes as UTF-8, so every character "
                             "comes with NUL bytes and no row matches a name; save it as UTF-8",
                         "write the table as UTF-8"));
  }
  ScanBytes(table.text, hazards);
}
