#include "dictionary/xml_encodings.h"

#include <strings.h>

namespace {

// Code points of windows-1252 bytes 0x80 to 0x9F; -1 where the code page
// leaves a byte undefined, which the parser then rejects.
const int kWindows1252High[32] = {
    0x20AC, -1,     0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, -1,     0x017D, -1,     -1,     0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, -1,     0x017E, 0x0178,
};

bool NamesWindows1252(const XML_Char* name) {
  return strcasecmp(name, "windows-1252") == 0 || strcasecmp(name, "cp1252") == 0 ||
         strcasecmp(name, "x-cp1252") == 0;
}

}  // namespace

int HandleUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
  if (!NamesWindows1252(name)) return XML_STATUS_ERROR;
  for (int byte = 0; byte < 256; ++byte) {
    info->map[byte] = (byte >= 0x80 && byte < 0xA0) ? kWindows1252High[byte - 0x80] : byte;
  }
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}
