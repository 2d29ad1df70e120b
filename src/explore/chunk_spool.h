// A scratch file that holds the bulk of the page (the attribute findings)
// while the findings stream in, so that the page can put the small class
// index and its script first and show its first screen before the browser
// has read the bulk. The file lives in the system's temporary folder and is
// removed with the object.
#ifndef ZOR_EXPLORE_CHUNK_SPOOL_H_
#define ZOR_EXPLORE_CHUNK_SPOOL_H_

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string_view>

class ChunkSpool {
 public:
  ChunkSpool();  // throws std::runtime_error when no scratch file can be made
  ~ChunkSpool();
  ChunkSpool(const ChunkSpool&) = delete;
  ChunkSpool& operator=(const ChunkSpool&) = delete;

  void Write(std::string_view bytes);  // throws std::runtime_error on a write error
  // Appends everything written so far to `out`; throws std::runtime_error on
  // a read or write error of the scratch file.
  void CopyTo(std::ostream& out);

 private:
  std::filesystem::path path_;
  std::fstream file_;
};

#endif  // ZOR_EXPLORE_CHUNK_SPOOL_H_
