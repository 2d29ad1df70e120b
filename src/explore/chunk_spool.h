// A scratch file that holds the bulk of the page (the attribute findings)
// while the findings stream in, so that the page can put the small class
// index and its script first and show its first screen before the browser
// has read the bulk.
#ifndef ZOR_EXPLORE_CHUNK_SPOOL_H_
#define ZOR_EXPLORE_CHUNK_SPOOL_H_

#include <cstdio>
#include <memory>
#include <ostream>
#include <string_view>

class ChunkSpool {
 public:
  ChunkSpool();  // throws std::runtime_error when no scratch file can be made
  void Write(std::string_view bytes);
  // Appends everything written so far to `out`; throws std::runtime_error on
  // a read or write error of the scratch file.
  void CopyTo(std::ostream& out);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

#endif  // ZOR_EXPLORE_CHUNK_SPOOL_H_
