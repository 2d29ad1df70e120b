#include "dictionary/migration_xml.h"

#include <expat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>

#include "dictionary/arena.h"
#include "dictionary/xml_encodings.h"
#include "platform/file_reader.h"

// Owns every element and text of one document, so that releasing it never
// recurses however deep the elements nest.
struct DocumentStorage {
  Arena arena;
  // Element and attribute names recur throughout a dictionary: one copy each.
  std::unordered_map<std::string_view, const char*> names;

  const char* Intern(const char* name) {
    auto it = names.find(name);
    if (it != names.end()) return it->second;
    const char* copy = arena.Copy(name);
    names.emplace(copy, copy);
    return copy;
  }
};

// Builds the element tree from the parser's events.
class TreeBuilder {
 public:
  explicit TreeBuilder(XmlLoadError* error) : document_(new MigrationXMLNode()), error_(error) {
    document_->storage_ = std::make_unique<DocumentStorage>();
    current_ = document_;
  }
  ~TreeBuilder() { delete document_; }

  MigrationXMLNode* Parse(const char* data, size_t size);
  MigrationXMLNode* ParseFile(FileChunks& file);
  static void Destroy(MigrationXMLNode* document) { delete document; }

 private:
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes);
  static void OnEnd(void* self, const XML_Char* name);

  XML_Parser NewParser();
  MigrationXMLNode* Finish(XML_Parser parser, bool parsed);
  MigrationXMLNode* NewElement(const char* name);

  void NoteParserError(XML_Parser parser);
  void NoteError(std::string reason);

  MigrationXMLNode* document_;
  MigrationXMLNode* current_;
  XmlLoadError* error_;
  XML_Parser parser_ = nullptr;  // the one parsing, for the lines of elements
};

void TreeBuilder::NoteParserError(XML_Parser parser) {
  if (error_ == nullptr) return;
  error_->line = static_cast<long>(XML_GetCurrentLineNumber(parser));
  error_->column = static_cast<long>(XML_GetCurrentColumnNumber(parser)) + 1;
  const XML_LChar* reason = XML_ErrorString(XML_GetErrorCode(parser));
  error_->reason = reason ? reason : "parse error";
}

void TreeBuilder::NoteError(std::string reason) {
  if (error_ == nullptr) return;
  error_->line = 0;
  error_->column = 0;
  error_->reason = std::move(reason);
}

MigrationXMLNode* TreeBuilder::NewElement(const char* name) {
  DocumentStorage& storage = *document_->storage_;
  void* memory = storage.arena.Allocate(sizeof(MigrationXMLNode), alignof(MigrationXMLNode));
  auto* node = new (memory) MigrationXMLNode();
  node->name_ = storage.Intern(name);
  node->parent_ = current_;
  if (current_->last_child_) {
    current_->last_child_->next_sibling_ = node;
  } else {
    current_->first_child_ = node;
  }
  current_->last_child_ = node;
  return node;
}

void TreeBuilder::OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
  auto* builder = static_cast<TreeBuilder*>(self);
  DocumentStorage& storage = *builder->document_->storage_;
  MigrationXMLNode* node = builder->NewElement(name);
  uint32_t count = 0;
  while (attributes[2 * count] != nullptr) ++count;
  if (count > 0) {
    void* memory = storage.arena.Allocate(count * sizeof(MigrationXMLAttribute),
                                          alignof(MigrationXMLAttribute));
    node->attributes_ = static_cast<MigrationXMLAttribute*>(memory);
    for (uint32_t i = 0; i < count; ++i) {
      new (&node->attributes_[i]) MigrationXMLAttribute(storage.Intern(attributes[2 * i]),
                                                        storage.arena.Copy(attributes[2 * i + 1]));
    }
  }
  node->attribute_count_ = count;
  XML_Size line = XML_GetCurrentLineNumber(builder->parser_);
  node->line_ = static_cast<uint32_t>(std::min<XML_Size>(line, UINT32_MAX));
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
  parser_ = parser;
  XML_SetElementHandler(parser, &TreeBuilder::OnStart, &TreeBuilder::OnEnd);
  XML_SetUnknownEncodingHandler(parser, &HandleUnknownEncoding, nullptr);
  // No external entity handler is set and parameter entities are never
  // parsed: the parser reads nothing but the bytes handed to it.
  XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
  return parser;
}

MigrationXMLNode* TreeBuilder::Finish(XML_Parser parser, bool parsed) {
  if (!parsed && error_ != nullptr && error_->reason.empty()) NoteParserError(parser);
  XML_ParserFree(parser);
  if (parsed && document_->first_child_ == nullptr) NoteError("holds no element");
  if (!parsed || document_->first_child_ == nullptr) return nullptr;
  MigrationXMLNode* document = document_;
  document_ = nullptr;
  return document;
}

MigrationXMLNode* TreeBuilder::Parse(const char* data, size_t size) {
  XML_Parser parser = NewParser();
  if (parser == nullptr) {
    NoteError("out of memory");
    return nullptr;
  }
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

MigrationXMLNode* TreeBuilder::ParseFile(FileChunks& file) {
  XML_Parser parser = NewParser();
  if (parser == nullptr) {
    NoteError("out of memory");
    return nullptr;
  }
  bool parsed = true;
  char buffer[1 << 16];
  for (;;) {
    long long read = file.Read(buffer, sizeof buffer);
    if (read < 0) {
      NoteError("read error");
      parsed = false;
      break;
    }
    bool last = read == 0;
    if (XML_Parse(parser, buffer, static_cast<int>(read), last) != XML_STATUS_OK) {
      parsed = false;
      break;
    }
    if (last) break;
  }
  return Finish(parser, parsed);
}

MigrationXMLNode* MigrationXMLNode::CreateFromFile(const char* path, XmlLoadError* error) {
  FileChunks file;
  if (!file.Open(path).empty()) {
    if (error) *error = {0, 0, "cannot be opened"};
    return nullptr;
  }
  TreeBuilder builder(error);
  return builder.ParseFile(file);
}

MigrationXMLNode* MigrationXMLNode::CreateFromBytes(const char* data, size_t size,
                                                    XmlLoadError* error) {
  TreeBuilder builder(error);
  return builder.Parse(data, size);
}

// Elements are carved from the document's arena and never destroyed one by
// one; only a document node owns anything.
MigrationXMLNode::~MigrationXMLNode() = default;

void* MigrationXMLNode::GetFirstNodePosition(const char**) { return first_child_; }

MigrationXMLNode* MigrationXMLNode::GetNextNode(void*& position, const char**) {
  auto* child = static_cast<MigrationXMLNode*>(position);
  if (child == nullptr) return nullptr;
  position = child->next_sibling_;
  return child;
}

MigrationXMLAttribute* MigrationXMLNode::GetAttribute(const char* name) {
  for (uint32_t i = 0; i < attribute_count_; ++i) {
    if (std::strcmp(attributes_[i].name().data(), name) == 0) return &attributes_[i];
  }
  return nullptr;
}

void MigrationXMLNode::Release() {
  if (storage_) TreeBuilder::Destroy(this);
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
    if (descend && current->first_child() != nullptr) {
      current = current->first_child();
    } else {
      while (current != scope_ && current->next_sibling() == nullptr) current = current->parent();
      if (current == scope_) return nullptr;
      current = current->next_sibling();
    }
    if (current->name() == name_) return current;
    descend = MayDescendInto(current);
  }
}

void* MigrationXMLSearch::SearchStart(MigrationXMLNode* node) {
  scope_ = node;
  if (node == nullptr) return nullptr;
  return FindFrom(node, true);
}

MigrationXMLNode* MigrationXMLSearch::SearchNext(void*& position) {
  auto* element = static_cast<MigrationXMLNode*>(position);
  if (element == nullptr) return nullptr;
  MigrationXMLNode* next = FindFrom(element, MayDescendInto(element));
  position = next;
  return element;
}
