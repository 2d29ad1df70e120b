// An ordered list of string copies.
#ifndef ZOR_TEXT_ZOR_LIST_H_
#define ZOR_TEXT_ZOR_LIST_H_

#include <vector>

#include "text/zor_string.h"

class ZORListValZORUnicodeString {
 public:
  void Append(const ZORUnicodeString& value) { values_.push_back(value); }
  long GetCount() const { return static_cast<long>(values_.size()); }
  const ZORUnicodeString& Get(long index) const { return values_[static_cast<size_t>(index)]; }

 private:
  std::vector<ZORUnicodeString> values_;
};

#endif  // ZOR_TEXT_ZOR_LIST_H_
