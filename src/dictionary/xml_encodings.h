// Encodings that the XML parser does not know by itself.
#ifndef ZOR_DICTIONARY_XML_ENCODINGS_H_
#define ZOR_DICTIONARY_XML_ENCODINGS_H_

#include <expat.h>

// Unknown-encoding handler for the parser: teaches it windows-1252.
int HandleUnknownEncoding(void* data, const XML_Char* name, XML_Encoding* info);

#endif  // ZOR_DICTIONARY_XML_ENCODINGS_H_
