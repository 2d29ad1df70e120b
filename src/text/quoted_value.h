// A value shown inside a message: in single quotes, with line ends and other
// control characters spelled out so that the message stays on one line and
// nothing reaches the terminal as a control character.
#ifndef ZOR_TEXT_QUOTED_VALUE_H_
#define ZOR_TEXT_QUOTED_VALUE_H_

#include <string>
#include <string_view>

std::string Quoted(std::string_view value);

#endif  // ZOR_TEXT_QUOTED_VALUE_H_
