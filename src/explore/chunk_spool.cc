#include "explore/chunk_spool.h"

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::filesystem::path FreshScratchPath() {
  std::random_device entropy;
  std::error_code ignored;
  std::filesystem::path folder = std::filesystem::temp_directory_path(ignored);
  return folder /
         ("zorvez-explore-" + std::to_string(entropy()) + std::to_string(entropy()) + ".tmp");
}

}  // namespace

ChunkSpool::ChunkSpool() : path_(FreshScratchPath()) {
  file_.open(path_, std::ios::in | std::ios::out | std::ios::trunc | std::ios::binary);
  if (!file_)
    throw std::runtime_error("cannot create a scratch file for the page in the temporary folder");
}

ChunkSpool::~ChunkSpool() {
  file_.close();
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

void ChunkSpool::Write(std::string_view bytes) {
  file_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file_) throw std::runtime_error("cannot write the page's scratch file");
}

void ChunkSpool::CopyTo(std::ostream& out) {
  file_.flush();
  file_.seekg(0);
  if (!file_) throw std::runtime_error("cannot read the page's scratch file back");
  std::vector<char> buffer(1 << 16);
  while (file_.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
         file_.gcount() > 0) {
    out.write(buffer.data(), file_.gcount());
  }
  if (file_.bad()) throw std::runtime_error("cannot read the page's scratch file back");
}
