#include "dictionary/migration_xml.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include <expat.h>

#include "dictionary/xml_encodings.h"

// Owns every node of one document, so that releasing it never recurses
// however deep the elements nest.
struct DocumentStorage {
  std::vector<std::unique_ptr<MigrationXMLNode>> nodes;

  MigrationXMLNode* NewNode() {
    nodes.push_back(std::unique_ptr<MigrationXMLNode>(new MigrationXMLNode()));
    return nodes.back().get();
  }
};

// Builds the element tree from the parser's events.
class TreeBuilder {
 public:
  TreeBuilder() : document_(new MigrationXMLNode()) {
    document_->storage_ = std::make_unique<DocumentStorage>();
    current_ = document_.get();
  }

  MigrationXMLNode* Parse(const char* data, size_t size);
  MigrationXMLNode* ParseFile(std::FILE* file);

 private:
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes);
  static void OnEnd(void* self, const XML_Char* name);

  XML_Parser NewParser();
  MigrationXMLNode* Finish(XML_Parser parser, bool parsed);

  std::unique_ptr<MigrationXMLNode> document_;
  MigrationXMLNode* current_;
};

void TreeBuilder::OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
  auto* builder = static_cast<TreeBuilder*>(self);
  MigrationXMLNode* node = builder->document_->storage_->NewNode();
  node->name_ = name;
  for (const XML_Char** a = attributes; a[0] != nullptr; a += 2) {
    node->attributes_.emplace_back(a[0], a[1]);
  }
  node->parent_ = builder->current_;
  node->index_in_parent_ = builder->current_->children_.size();
  builder->current_->children_.push_back(node);
  builder->current_ = node;
}

void TreeBuilder::OnEnd(void* self, const XML_Char*) {
  auto* builder = static_cast<TreeBuilder*>(self);
  builder->current_ = builder->current_->parent_;
}

XML_Parser TreeBuilder::NewParser() {
  XML_Parser parser = XML_ParserCreate(nullptr);
  if (parser == nullptr) return nullptr;
  XML_SetUserData(parser, this);
  XML_SetElementHandler(parser, &TreeBuilder::OnStart, &TreeBuilder::OnEnd);
  XML_SetUnknownEncodingHandler(parser, &HandleUnknownEncoding, nullptr);
  // No external entity handler is set and parameter entities are never
  // parsed: the parser reads nothing but the bytes handed to it.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  return parser;
}

MigrationXMLNode* TreeBuilder::Finish(XML_Parser parser, bool parsed) {
  XML_ParserFree(parser);
  if (!parsed || document_->children_.empty()) return nullptr;
  return document_.release();
}

MigrationXMLNode* TreeBuilder::Parse(const char* data, size_t size) {
  XML_Parser parser = NewParser();
  if (parser == nullptr) return nullptr;
  bool parsed = true;
  // Fed in slices so that a size beyond int never overflows the parser's
  // length argument.
  constexpr size_t kSlice = 1 << 20;
  size_t offset = 0;
  do {
    size_t slice = size - offset < kSlice ? size - offset : kSlice;
    bool last = offset + slice == size;
    parsed = XML_Parse(parser, data + offset, static_cast<int>(slice), last) == XML_STATUS_OK;
    offset += slice;
  } while (parsed && offset < size);
  return Finish(parser, parsed);
}

MigrationXMLNode* TreeBuilder::ParseFile(std::FILE* file) {
  XML_Parser parser = NewParser();
  if (parser == nullptr) return nullptr;
  bool parsed = true;
  char buffer[1 << 16];
  for (;;) {
    size_t read = std::fread(buffer, 1, sizeof buffer, file);
    if (std::ferror(file)) {
      parsed = false;
      break;
    }
    bool last = read < sizeof buffer && std::feof(file);
    if (XML_Parse(parser, buffer, static_cast<int>(read), last) != XML_STATUS_OK) {
      parsed = false;
      break;
    }
    if (last) break;
  }
  return Finish(parser, parsed);
}

MigrationXMLNode* MigrationXMLNode::CreateFromFile(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return nullptr;
  TreeBuilder builder;
  MigrationXMLNode* document = builder.ParseFile(file);
  std::fclose(file);
  return document;
}

MigrationXMLNode* MigrationXMLNode::CreateFromBytes(const char* data, size_t size) {
  TreeBuilder builder;
  return builder.Parse(data, size);
}

MigrationXMLNode::~MigrationXMLNode() = default;

void* MigrationXMLNode::getFirstNodePosition(const char**) {
  return nullptr;
}

MigrationXMLNode* MigrationXMLNode::getNextNode(void*& position, const char**) {
  // The position is the index of the next child.
  auto index = reinterpret_cast<uintptr_t>(position);
  if (index >= children_.size()) return nullptr;
  position = reinterpret_cast<void*>(index + 1);
  return children_[index];
}

MigrationXMLAttribute* MigrationXMLNode::getAttribute(const char* name) {
  for (MigrationXMLAttribute& attribute : attributes_) {
    if (attribute.name() == name) return &attribute;
  }
  return nullptr;
}

void MigrationXMLNode::Release() {
  if (storage_) delete this;
}

MigrationXMLSearch::MigrationXMLSearch(const char* element_name)
    : name_(element_name), stop_at_nested_classes_(name_ == "Simple") {}

bool MigrationXMLSearch::MayDescendInto(const MigrationXMLNode* node) const {
  return !(stop_at_nested_classes_ && node != scope_ && node->name() == "Class");
}

// The next element named name_ after `node` in document order, within the
// scope; `descend` says whether the children of `node` are looked at.
MigrationXMLNode* MigrationXMLSearch::FindFrom(MigrationXMLNode* node, bool descend) const {
  MigrationXMLNode* current = node;
  for (;;) {
    if (descend && !current->children().empty()) {
      current = current->children().front();
    } else {
      while (current != scope_ &&
             current->index_in_parent() + 1 >= current->parent()->children().size()) {
        current = current->parent();
      }
      if (current == scope_) return nullptr;
      current = current->parent()->children()[current->index_in_parent() + 1];
    }
    if (current->name() == name_) return current;
    descend = MayDescendInto(current);
  }
}

void* MigrationXMLSearch::searchStart(MigrationXMLNode* node) {
  scope_ = node;
  if (node == nullptr) return nullptr;
  return FindFrom(node, true);
}

MigrationXMLNode* MigrationXMLSearch::searchNext(void*& position) {
  auto* element = static_cast<MigrationXMLNode*>(position);
  if (element == nullptr) return nullptr;
  MigrationXMLNode* next = FindFrom(element, MayDescendInto(element));
  position = next;
  return element;
}
