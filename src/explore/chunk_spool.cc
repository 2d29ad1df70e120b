#include "explore/chunk_spool.h"

#include <stdexcept>
#include <vector>

ChunkSpool::ChunkSpool() : file_(std::tmpfile()) {
  if (!file_) throw std::runtime_error("cannot create a scratch file for the page");
}

void ChunkSpool::Write(std::string_view bytes) {
  if (bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    throw std::runtime_error("cannot write the page's scratch file");
  }
}

void ChunkSpool::CopyTo(std::ostream& out) {
  if (std::fflush(file_.get()) != 0 || std::fseek(file_.get(), 0, SEEK_SET) != 0) {
    throw std::runtime_error("cannot read the page's scratch file back");
  }
  std::vector<char> buffer(1 << 16);
  size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file_.get())) > 0) {
    out.write(buffer.data(), static_cast<std::streamsize>(got));
  }
  if (std::ferror(file_.get())) throw std::runtime_error("cannot read the page's scratch file back");
}
