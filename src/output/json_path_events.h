// A reader of JSON events, for the readers of an earlier output of
// zorvez check, that knows where in the text's tree each event is.
#ifndef ZOR_OUTPUT_JSON_PATH_EVENTS_H_
#define ZOR_OUTPUT_JSON_PATH_EVENTS_H_

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace json_path {

using nlohmann::json;

// Deeper than any output of check nests; a text nested deeper is refused
// before its frames cost more than the text.
constexpr size_t kDeepest = 32;

// A reader of events that knows where in the text's tree it is: the key
// of each open object, "[]" for each open array.
class PathEvents : public nlohmann::json_sax<json> {
 public:
  size_t error_at = std::string::npos;  // byte offset of a syntax error
  std::string problem;                  // why the reading stopped, if it did

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t value) override { return Number(static_cast<long>(value)); }
  bool number_unsigned(number_unsigned_t value) override {
    return Number(static_cast<long>(value));
  }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool string(string_t& value) override { return Text(value); }
  bool start_object(std::size_t) override { return Push(true); }
  bool start_array(std::size_t) override { return Push(false); }
  bool key(string_t& name) override {
    frames_.back().key = std::move(name);
    return true;
  }
  bool end_object() override {
    bool go_on = ObjectEnds();
    frames_.pop_back();
    return go_on;
  }
  bool end_array() override {
    frames_.pop_back();
    return true;
  }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    error_at = position;
    problem = "not JSON here, so neither JSON Lines nor a whole SARIF log";
    return false;
  }

 protected:
  virtual bool Text(const std::string& value) = 0;
  virtual bool Number(long) { return true; }
  virtual bool ObjectEnds() { return true; }

  // Whether the open containers are `path` (All) or begin with it (Within).
  bool Within(std::initializer_list<std::string_view> path) const {
    if (frames_.size() < path.size()) return false;
    size_t i = 0;
    for (std::string_view step : path) {
      const Frame& frame = frames_[i++];
      if (frame.object ? frame.key != step : step != "[]") return false;
    }
    return true;
  }
  // Whether the innermost open containers are `path`.
  bool Ends(std::initializer_list<std::string_view> path) const {
    if (frames_.size() < path.size()) return false;
    size_t i = frames_.size() - path.size();
    for (std::string_view step : path) {
      const Frame& frame = frames_[i++];
      if (frame.object ? frame.key != step : step != "[]") return false;
    }
    return true;
  }
  bool All(std::initializer_list<std::string_view> path) const {
    return frames_.size() == path.size() && Within(path);
  }
  size_t Depth() const { return frames_.size(); }

 private:
  struct Frame {
    bool object;
    std::string key;
  };
  bool Push(bool object) {
    if (frames_.size() == kDeepest) {
      problem = "nested deeper than " + std::to_string(kDeepest) + " levels";
      return false;
    }
    frames_.push_back({object, {}});
    return true;
  }

  std::vector<Frame> frames_;
};

// One line of JSON Lines: its "record" and "fingerprint" members.
class RecordEvents : public PathEvents {
 public:
  std::string record;
  std::string fingerprint;
  std::string verdict;
  bool is_object = false;

  bool start_object(std::size_t size) override {
    if (Depth() == 0) is_object = true;
    return PathEvents::start_object(size);
  }

 protected:
  bool Text(const std::string& value) override {
    if (All({"record"})) record = value;
    if (All({"fingerprint"})) fingerprint = value;
    if (All({"verdict"})) verdict = value;
    return true;
  }
};

}  // namespace json_path

#endif  // ZOR_OUTPUT_JSON_PATH_EVENTS_H_
