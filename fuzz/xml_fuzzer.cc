// Arbitrary bytes as a dictionary document: loading, the walk from the
// document to its root, the searches for classes and their attributes with
// every attribute value the comparison reads, and the release. The searches
// are checked against a plain walk of the element tree.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/migration_xml.h"

namespace {

constexpr const char* kAttributeNames[] = {
    "Name",    "ShortName", "Parent", "ShortParent", "DisplayName", "Superclass", "Domain",
    "Creator", "User",      "UUID",   "Type",        "Value",       "Default"};

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "xml_fuzzer: %s\n", what);
  std::abort();
}

size_t ReadAttributes(MigrationXMLNode* node) {
  size_t total = 0;
  for (const char* name : kAttributeNames) {
    ZORUnicodeString value = GetValueByTagName(node, name);
    Require(value.str() == AttributeView(node, name), "the two attribute readers differ");
    total += value.str().size();
  }
  return total;
}

// The elements named `name` beneath `scope` in document order, by a walk of
// the tree that keeps its own stack (the nesting may be very deep). With
// `stop_at_classes` it does not enter a nested Class element.
std::vector<MigrationXMLNode*> Descendants(MigrationXMLNode* scope, std::string_view name,
                                           bool stop_at_classes) {
  std::vector<MigrationXMLNode*> found;
  std::vector<MigrationXMLNode*> pending;
  for (MigrationXMLNode* child = scope->first_child(); child; child = child->next_sibling()) {
    pending.push_back(child);
  }
  std::vector<MigrationXMLNode*> reversed(pending.rbegin(), pending.rend());
  pending.swap(reversed);
  while (!pending.empty()) {
    MigrationXMLNode* node = pending.back();
    pending.pop_back();
    if (node->name() == name) found.push_back(node);
    if (stop_at_classes && node->name() == "Class") continue;
    size_t first = pending.size();
    for (MigrationXMLNode* child = node->first_child(); child; child = child->next_sibling()) {
      pending.push_back(child);
    }
    std::reverse(pending.begin() + static_cast<long>(first), pending.end());
  }
  return found;
}

std::vector<MigrationXMLNode*> Search(MigrationXMLNode* scope, const char* name) {
  std::vector<MigrationXMLNode*> found;
  ForEachElement(scope, name, [&](MigrationXMLNode* element) {
    found.push_back(element);
    return true;
  });
  return found;
}

void WalkDocument(MigrationXMLNode* document) {
  MigrationXMLNode* root = FirstNode(document);
  Require(root != nullptr, "a loaded document without a root element");
  Require(root->next_sibling() == nullptr, "a document with two root elements");
  ReadAttributes(root);
  std::vector<MigrationXMLNode*> classes = Search(root, "Class");
  Require(classes == Descendants(root, "Class", false), "the search for classes");
  for (MigrationXMLNode* class_node : classes) {
    ReadAttributes(class_node);
    std::vector<MigrationXMLNode*> simples = Search(class_node, "Simple");
    Require(simples == Descendants(class_node, "Simple", true), "the search for attributes");
    for (MigrationXMLNode* simple : simples) ReadAttributes(simple);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MigrationXMLNode* document =
      MigrationXMLNode::CreateFromBytes(reinterpret_cast<const char*>(data), size);
  if (document == nullptr) {
    Require(FirstNode(document) == nullptr && Search(nullptr, "Class").empty() &&
                GetValueByTagName(nullptr, "Name").IsEmpty(),
            "a null document that yields something");
    return 0;
  }
  WalkDocument(document);
  document->Release();
  return 0;
}
