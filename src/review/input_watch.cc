#include "review/input_watch.h"

#include <filesystem>

#include "platform/utf8_files.h"

namespace fs = std::filesystem;

InputWatch::InputWatch(std::vector<std::string> paths) : paths_(std::move(paths)) {
  TakeAsTheyAre();
}

InputWatch::Stamp InputWatch::StampOf(const std::string& path) {
  std::error_code error;
  const fs::path file = PathFromUtf8(path.c_str());
  Stamp stamp;
  const auto time = fs::last_write_time(file, error);
  if (error) return stamp;
  stamp.size = fs::file_size(file, error);
  if (error) return stamp;
  stamp.time = static_cast<int64_t>(time.time_since_epoch().count());
  stamp.present = true;
  return stamp;
}

void InputWatch::TakeAsTheyAre() {
  taken_.clear();
  for (const std::string& path : paths_) taken_.push_back(StampOf(path));
  last_look_ = taken_;
}

std::vector<std::string> InputWatch::Changed() {
  std::vector<std::string> changed;
  for (size_t i = 0; i < paths_.size(); ++i) {
    const Stamp now = StampOf(paths_[i]);
    if (now != taken_[i] && now == last_look_[i]) changed.push_back(paths_[i]);
    last_look_[i] = now;
  }
  return changed;
}

void InputWatch::Forget(const std::string& path) {
  for (size_t i = 0; i < paths_.size(); ++i) {
    if (paths_[i] != path) continue;
    taken_[i] = Stamp{};
    last_look_[i] = StampOf(path);
  }
}
