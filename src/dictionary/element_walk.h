// The one way the program loops over elements: a search by name beneath a
// node, in document order.
#ifndef ZOR_DICTIONARY_ELEMENT_WALK_H_
#define ZOR_DICTIONARY_ELEMENT_WALK_H_

#include "dictionary/migration_xml.h"

// Calls visit(element) for each element named `name` beneath `scope` until
// it returns false. A null scope yields nothing.
template <typename Visit>
void ForEachElement(MigrationXMLNode* scope, const char* name, Visit visit) {
  MigrationXMLSearch search(name);
  void* position = search.SearchStart(scope);
  while (position != nullptr) {
    MigrationXMLNode* element = search.SearchNext(position);
    if (element == nullptr) continue;
    if (!visit(element)) return;
  }
}

// The first node of a document: its root element; null for a null document.
inline MigrationXMLNode* FirstNode(MigrationXMLNode* document) {
  if (document == nullptr) return nullptr;
  void* position = document->GetFirstNodePosition(nullptr);
  return document->GetNextNode(position, nullptr);
}

#endif  // ZOR_DICTIONARY_ELEMENT_WALK_H_
