#include "compare/class_loop.h"

#include "compare/class_examination.h"
#include "dictionary/element_walk.h"

void CompareClasses(PassState& pass, FindingSink& sink, const BeforeClass& before_class) {
  ForEachElement(pass.state.source_root, "Class", [&](MigrationXMLNode* class_node) {
    SourceClass source = ReadSourceClass(pass.profile, class_node);
    if (before_class) before_class(source);
    ExamineClass(pass, source);
    sink.Accept(pass.state.batch);
    return true;
  });
}

long CountSourceClasses(MigrationXMLNode* source_root) {
  long count = 0;
  ForEachElement(source_root, "Class", [&](MigrationXMLNode*) {
    count += 1;
    return true;
  });
  return count;
}
