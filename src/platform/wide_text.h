// UTF-8 and UTF-16 conversions for the Windows interfaces, which take and
// give UTF-16 while the tool keeps all its text as UTF-8 bytes.
#ifndef ZOR_PLATFORM_WIDE_TEXT_H_
#define ZOR_PLATFORM_WIDE_TEXT_H_

#ifdef _WIN32

#include <string>
#include <string_view>

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

#endif  // _WIN32

#endif  // ZOR_PLATFORM_WIDE_TEXT_H_
