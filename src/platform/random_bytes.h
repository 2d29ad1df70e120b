// Bytes from the operating system's random generator, for secrets such as a
// local server's token: never from a seeded generator of our own.
#ifndef ZOR_PLATFORM_RANDOM_BYTES_H_
#define ZOR_PLATFORM_RANDOM_BYTES_H_

#include <cstddef>
#include <string>

// `count` random bytes as lower-case hexadecimal digits (twice as many), or
// empty text when the system gives none.
std::string RandomHex(size_t count);

#endif  // ZOR_PLATFORM_RANDOM_BYTES_H_
