// The pieces of the proposed XML DDL. Slots are written exactly as handed
// over; the proposing code decides what is escaped.
#ifndef ZOR_OUTPUT_DDL_WRITER_H_
#define ZOR_OUTPUT_DDL_WRITER_H_

#include "driver/run_context.h"

struct DdlClassHead {
  ZORUnicodeString name;
  ZORUnicodeString displayName;
  ZORUnicodeString superclass;
  ZORUnicodeString creator;
  ZORUnicodeString domain;
};

struct DdlAttribute {
  ZORUnicodeString name;
  ZORUnicodeString displayName;
  ZORUnicodeString creator;
  ZORUnicodeString type;
  ZORUnicodeString defaultValue;
  ZORUnicodeString domain;
};

// A class proposed whole ends each attribute element with a blank line; an
// attribute added to an existing class does not.
enum class AttributeEnding { kBlankLine, kSingleLine };

void WritePackageHead(RunContext& context, const ZORUnicodeString& package_name,
                      const ZORUnicodeString& package_domain);
// Writes the class head with a newly generated UUID.
void WriteClassHead(RunContext& context, const DdlClassHead& head);
void WriteAttributeElement(RunContext& context, const DdlAttribute& attribute,
                           AttributeEnding ending);
void WriteClassEnd(RunContext& context);
void WritePackageEnd(RunContext& context);

#endif  // ZOR_OUTPUT_DDL_WRITER_H_
