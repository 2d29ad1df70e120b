// The review's inputs as last seen on disk, to tell when one changed: saved
// from a spreadsheet, brought by a version control system. A file is taken
// as changed once it stays as it is from one look to the next, so that one
// being written is waited for.
#ifndef ZOR_REVIEW_INPUT_WATCH_H_
#define ZOR_REVIEW_INPUT_WATCH_H_

#include <cstdint>
#include <string>
#include <vector>

class InputWatch {
 public:
  explicit InputWatch(std::vector<std::string> paths);

  // The files that changed since they were last taken and have stayed as
  // they are since the look before; empty when none did.
  std::vector<std::string> Changed();
  // Takes the files as they are now as their state.
  void TakeAsTheyAre();
  // Takes `path` as changed at the next look.
  void Forget(const std::string& path);

 private:
  struct Stamp {
    int64_t time = 0;
    uintmax_t size = 0;
    bool present = false;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::string& path);

  std::vector<std::string> paths_;
  std::vector<Stamp> taken_;
  std::vector<Stamp> last_look_;
};

#endif  // ZOR_REVIEW_INPUT_WATCH_H_
