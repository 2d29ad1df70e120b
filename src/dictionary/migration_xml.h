// A light element tree over the XML parser: a loaded document, its
// elements, their attributes, and searches for elements by name.
#ifndef ZOR_DICTIONARY_MIGRATION_XML_H_
#define ZOR_DICTIONARY_MIGRATION_XML_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class MigrationXMLAttribute {
 public:
  MigrationXMLAttribute(const char* name, const char* value) : name_(name), value_(value) {}
  std::string_view name() const { return name_; }
  const char* GetValue() const { return value_; }

 private:
  const char* name_;
  const char* value_;
};

struct DocumentStorage;

// Why a document did not load: the parser's position and reason, or a
// reason of our own (line 0) when the file could not be read or holds no
// element.
struct XmlLoadError {
  long line = 0;
  long column = 0;
  std::string reason;
};

// A loaded document (no name; its one child is the root element) or one of
// its elements. Elements and their texts live in the document's storage
// until the document is released.
class MigrationXMLNode {
 public:
  // The parsed document, or null when the file cannot be read or parsed or
  // holds no element. Nothing outside the file is ever read.
  static MigrationXMLNode* CreateFromFile(const char* path, XmlLoadError* error = nullptr);
  // The same from bytes in memory.
  static MigrationXMLNode* CreateFromBytes(const char* data, size_t size,
                                           XmlLoadError* error = nullptr);

  // Opaque position before the first child; `name` is unused.
  void* GetFirstNodePosition(const char** name);
  // The child at `position`, advancing it; null after the last child.
  MigrationXMLNode* GetNextNode(void*& position, const char** name);
  // The attribute of that name, or null.
  MigrationXMLAttribute* GetAttribute(const char* name);
  // Frees a document obtained from CreateFromFile; elements ignore it.
  void Release();

  std::string_view name() const { return name_; }
  // The line of the element's start tag, from 1; 0 for a document.
  long line() const { return line_; }
  MigrationXMLNode* parent() const { return parent_; }
  MigrationXMLNode* first_child() const { return first_child_; }
  MigrationXMLNode* next_sibling() const { return next_sibling_; }

  MigrationXMLNode(const MigrationXMLNode&) = delete;
  MigrationXMLNode& operator=(const MigrationXMLNode&) = delete;

 private:
  friend class TreeBuilder;
  MigrationXMLNode() = default;
  ~MigrationXMLNode();

  const char* name_ = "";
  MigrationXMLAttribute* attributes_ = nullptr;
  uint32_t attribute_count_ = 0;
  uint32_t line_ = 0;  // fills the padding after the count: no larger node
  MigrationXMLNode* parent_ = nullptr;
  MigrationXMLNode* first_child_ = nullptr;
  MigrationXMLNode* last_child_ = nullptr;
  MigrationXMLNode* next_sibling_ = nullptr;
  // Set on a document node only: owns every element of the document.
  std::unique_ptr<DocumentStorage> storage_;
};

// Walks the elements of one name beneath a node, in document order.
class MigrationXMLSearch {
 public:
  explicit MigrationXMLSearch(const char* element_name);

  // Position of the first match beneath `node` (not the node itself), or
  // null when there is none or the node is null.
  void* SearchStart(MigrationXMLNode* node);
  // The element at `position`, moving the position to the next match or to
  // null after the last.
  MigrationXMLNode* SearchNext(void*& position);

 private:
  MigrationXMLNode* FindFrom(MigrationXMLNode* node, bool descend) const;
  bool MayDescendInto(const MigrationXMLNode* node) const;

  std::string name_;
  // A search for attribute definitions stays within their own class: it
  // never enters a nested class element.
  bool stop_at_nested_classes_;
  MigrationXMLNode* scope_ = nullptr;
};

#endif  // ZOR_DICTIONARY_MIGRATION_XML_H_
