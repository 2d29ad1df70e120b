// The link from the page to the defined report, as the user named the report
// file: a relative or absolute path, turned into a URL path by
// percent-encoding every byte of each segment except the unreserved
// characters, so that "#", "?", "%", ":" or a blank in a file name stays part
// of the name. The page appends "#" and the class key, encoded the same way.
#ifndef ZOR_EXPLORE_REPORT_LINK_H_
#define ZOR_EXPLORE_REPORT_LINK_H_

#include <string>
#include <string_view>

std::string EncodeReportPath(std::string_view path);

#endif  // ZOR_EXPLORE_REPORT_LINK_H_
