#include "text/quoted_value.h"

#include <cstdio>

std::string Quoted(std::string_view value) {
  std::string shown = "'";
  for (char c : value) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (byte < 0x20 || byte == 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    } else {
      shown += c;
    }
  }
  return shown + "'";
}
