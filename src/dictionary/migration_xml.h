// A light element tree over the XML parser: a loaded document, its
// elements, their attributes, and searches for elements by name.
#ifndef ZOR_DICTIONARY_MIGRATION_XML_H_
#define ZOR_DICTIONARY_MIGRATION_XML_H_

#include <memory>
#include <string>
#include <vector>

class MigrationXMLAttribute {
 public:
  MigrationXMLAttribute(std::string name, std::string value)
      : name_(std::move(name)), value_(std::move(value)) {}
  const std::string& name() const { return name_; }
  const char* getValue() const { return value_.c_str(); }

 private:
  std::string name_;
  std::string value_;
};

struct DocumentStorage;

// A loaded document (no name; its one child is the root element) or one of
// its elements. Nodes belong to their document and live until it is
// released.
class MigrationXMLNode {
 public:
  // The parsed document, or null when the file cannot be read or parsed or
  // holds no element. Nothing outside the file is ever read.
  static MigrationXMLNode* CreateFromFile(const char* path);
  // The same from bytes in memory.
  static MigrationXMLNode* CreateFromBytes(const char* data, size_t size);

  // Opaque position before the first child; `name` is unused.
  void* getFirstNodePosition(const char** name);
  // The child at `position`, advancing it; null after the last child.
  MigrationXMLNode* getNextNode(void*& position, const char** name);
  // The attribute of that name, or null.
  MigrationXMLAttribute* getAttribute(const char* name);
  // Frees a document obtained from CreateFromFile; other nodes ignore it.
  void Release();

  ~MigrationXMLNode();
  MigrationXMLNode(const MigrationXMLNode&) = delete;
  MigrationXMLNode& operator=(const MigrationXMLNode&) = delete;

  const std::string& name() const { return name_; }
  MigrationXMLNode* parent() const { return parent_; }
  const std::vector<MigrationXMLNode*>& children() const { return children_; }
  size_t index_in_parent() const { return index_in_parent_; }

 private:
  friend struct DocumentStorage;
  friend class TreeBuilder;
  MigrationXMLNode() = default;

  std::string name_;
  std::vector<MigrationXMLAttribute> attributes_;
  std::vector<MigrationXMLNode*> children_;
  MigrationXMLNode* parent_ = nullptr;
  size_t index_in_parent_ = 0;
  // Set on a document node only: owns every node of the document.
  std::unique_ptr<DocumentStorage> storage_;
};

// Walks the elements of one name beneath a node, in document order.
class MigrationXMLSearch {
 public:
  explicit MigrationXMLSearch(const char* element_name);

  // Position of the first match beneath `node` (not the node itself), or
  // null when there is none or the node is null.
  void* searchStart(MigrationXMLNode* node);
  // The element at `position`, moving the position to the next match or to
  // null after the last.
  MigrationXMLNode* searchNext(void*& position);

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
