// Report lines that more than one verdict writes.
#ifndef ZOR_COMPARE_REPORT_LINES_H_
#define ZOR_COMPARE_REPORT_LINES_H_

#include <initializer_list>
#include <string_view>

#include "text/zor_string.h"

inline ZORUnicodeString Join(std::initializer_list<std::string_view> parts) {
  ZORUnicodeString text;
  for (std::string_view part : parts) text.Append(part);
  return text;
}

// "label (key)", the way every line names a class or an attribute.
inline ZORUnicodeString Named(const ZORUnicodeString& label, const ZORUnicodeString& key) {
  return Join({label, " (", key, ")"});
}

// The line for an attribute whose row names no target attribute.
inline ZORUnicodeString BadlyMappedAttributeLine(const ZORUnicodeString& attribute,
                                                 const char* target_name) {
  return Join({"&nbsp;&nbsp;&nbsp;<b><font color=\"#CC5500\">", attribute,
               "</font></b><font color=\"#000000\"> is badly mapped in mapping table: no ",
               target_name, " attribute specified.</font><br>\n"});
}

// The line listing an attribute under a class that has no counterpart.
inline ZORUnicodeString AttributeUnderClassLine(const char* colour,
                                                const ZORUnicodeString& attribute_label,
                                                const ZORUnicodeString& attribute_key,
                                                const ZORUnicodeString& class_label) {
  return Join({"&nbsp;&nbsp;&nbsp;<font color=\"", colour, "\">",
               Named(attribute_label, attribute_key), "</font> is an attribute under ", class_label,
               ".<br>\n"});
}

#endif  // ZOR_COMPARE_REPORT_LINES_H_
