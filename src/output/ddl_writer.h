// The proposed XML DDL: the package frame and each proposed class. Values
// are written exactly as the comparison proposed them; it decided what is
// escaped.
#ifndef ZOR_OUTPUT_DDL_WRITER_H_
#define ZOR_OUTPUT_DDL_WRITER_H_

#include <ostream>
#include <string_view>

#include "compare/finding.h"

void WritePackageHead(std::ostream& out, std::string_view package_name,
                      std::string_view package_domain);
void WritePackageEnd(std::ostream& out);

// Writes each proposed class with a newly generated UUID.
class DdlRenderer : public FindingSink {
 public:
  explicit DdlRenderer(std::ostream& out) : out_(out) {}
  void Accept(const ClassFindings& batch) override;

 private:
  std::ostream& out_;
};

// Writes the proposed mapping rows of each class.
class ProposedMappingRenderer : public FindingSink {
 public:
  explicit ProposedMappingRenderer(std::ostream& out) : out_(out) {}
  void Accept(const ClassFindings& batch) override;

 private:
  std::ostream& out_;
};

#endif  // ZOR_OUTPUT_DDL_WRITER_H_
