// One JSON text read into a flat list of values that point into it, for the
// explorer page's writer, which reads every suggestion record of a large run
// (170 MB of them for 16,000 classes): the general JSON library builds a
// tree of allocations for each record and takes longer to read them than the
// matcher takes to make them.
//
// A string without escapes is a view of the text itself; one with escapes is
// decoded into the tape's own buffer. The reading is iterative, so nesting
// costs no stack; the text must outlive the tape. Strict JSON: anything else
// (a control character in a string, a stray comma, text after the value, a
// number too large for a double) leaves the tape empty. Bytes that are not
// UTF-8 are passed through as they are: the writer replaces them when it
// writes strings.
#ifndef ZOR_EXPLORE_JSON_TAPE_H_
#define ZOR_EXPLORE_JSON_TAPE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class JsonTape {
 public:
  enum class Kind : uint8_t { kNull, kFalse, kTrue, kNumber, kString, kArray, kObject };

  // One value of the tape, or a missing one (read as null). Cheap to copy.
  class Value {
   public:
    Value() = default;
    bool IsObject() const { return Is(Kind::kObject); }
    bool IsArray() const { return Is(Kind::kArray); }
    bool IsString() const { return Is(Kind::kString); }
    bool IsNumber() const { return Is(Kind::kNumber); }
    Kind kind() const;

    // A string's text, or "".
    std::string_view Text() const;
    // A number's text as written, or "".
    std::string_view NumberText() const;
    // A number written without fraction or exponent that fits 64 bits.
    std::optional<int64_t> Integer() const;
    // A number's value, or 0.
    double Number() const;
    // The member of an object (the last, where a name repeats), or missing.
    Value operator[](std::string_view name) const;
    // The elements of an array, the members' values of an object.
    std::vector<Value> Elements() const;
    // Calls `visit` with each element of an array, in order.
    template <typename Visit>
    void ForEachElement(Visit visit) const {
      if (!IsArray()) return;
      const std::vector<Entry>& entries = tape_->entries_;
      for (uint32_t at = at_ + 1; at < entries[at_].end; at = entries[at].end) {
        visit(Value(tape_, at));
      }
    }
    // The names of an object's members, in order.
    std::vector<std::string_view> Names() const;

   private:
    friend class JsonTape;
    Value(const JsonTape* tape, uint32_t at) : tape_(tape), at_(at) {}
    bool Is(Kind kind) const { return tape_ != nullptr && this->kind() == kind; }

    const JsonTape* tape_ = nullptr;
    uint32_t at_ = 0;
  };

  // Reads `text`; false (and an empty tape) when it is not one JSON value.
  bool Read(std::string_view text);
  // The value read, or missing.
  Value Root() const { return entries_.empty() ? Value() : Value(this, 0); }

 private:
  struct Entry {
    Kind kind;
    uint32_t end;  // the entry after this value and everything inside it
    std::string_view text;
  };

  bool ReadAll(std::string_view text);
  bool ReadString(std::string_view text, size_t& at, std::string_view& out);
  bool ReadNumber(std::string_view text, size_t& at);
  bool ReadLiteral(std::string_view text, size_t& at);

  std::vector<Entry> entries_;
  std::vector<uint32_t> open_;  // the arrays and objects open while reading, kept for the next text
  std::string decoded_;         // reserved to the text's size before reading: it never moves
};

#endif  // ZOR_EXPLORE_JSON_TAPE_H_
