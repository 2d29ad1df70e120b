// The terminal form of `zorvez check`: counts per verdict, then the classes
// that need work grouped by verdict, each with its attribute findings. A
// finding decided by a table row starts "TABLE:LINE:", as compilers write
// locations, so that editors and CI annotations can jump to the row.
#ifndef ZOR_CLI_CHECK_TEXT_H_
#define ZOR_CLI_CHECK_TEXT_H_

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

class CheckTextRenderer {
 public:
  CheckTextRenderer(std::string table_path, std::set<std::string, std::less<>> shown_verdicts,
                    bool colour)
      : tablePath_(std::move(table_path)), shown_(std::move(shown_verdicts)), colour_(colour) {}

  void Add(const nlohmann::json& record);
  void Write(std::ostream& out) const;

 private:
  struct ClassEntry {
    std::string verdict;
    std::string line;
    std::vector<std::string> details;  // its attribute findings and child warnings
  };

  std::string Located(const nlohmann::json& record) const;
  std::string Painted(const std::string& verdict, const std::string& text) const;

  std::string tablePath_;
  std::set<std::string, std::less<>> shown_;
  bool colour_;
  std::vector<ClassEntry> classes_;
  // Findings worse than their class's line, listed under their own verdict.
  std::map<std::string, std::vector<std::string>> strayFindings_;
  nlohmann::json summary_;
};

#endif  // ZOR_CLI_CHECK_TEXT_H_
