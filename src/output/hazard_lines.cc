#include "output/hazard_lines.h"

#include "output/json_line.h"

std::string HazardTextLine(std::string_view path, const Hazard& hazard, std::string_view state) {
  std::string line(path);
  line += ':' + std::to_string(hazard.line) + ':' + std::to_string(hazard.column) + ": ";
  line += state.empty() ? std::string_view(SeverityName(hazard.severity)) : state;
  line += ": ";
  line += state.empty() ? hazard.message : hazard.fix + " (" + hazard.message + ")";
  line += " [";
  line += HazardCodeName(hazard.code);
  line += "]\n";
  return line;
}

std::string HazardJsonLine(const Hazard& hazard, std::string_view record, std::string_view file,
                           const FindingStamp* stamp) {
  JsonLine line;
  line.Open().Key("record").String(record);
  line.Key("code").String(HazardCodeName(hazard.code));
  line.Key("severity").String(SeverityName(hazard.severity));
  if (!file.empty()) line.Key("file").String(file);
  line.Key("line").Number(hazard.line).Key("column").Number(hazard.column);
  line.Key("message").String(hazard.message).Key("fix");
  if (hazard.fix.empty()) {
    line.Null();
  } else {
    line.String(hazard.fix);
  }
  if (stamp != nullptr) {
    const std::array<char, 32> digits = stamp->fingerprint.Digits();
    line.Key("fingerprint").String(std::string_view(digits.data(), digits.size()));
    if (stamp->state != BaselineState::kNone) {
      line.Key("baseline").String(BaselineStateName(stamp->state));
    }
  }
  line.Close();
  return line.Text();
}

std::string_view HazardPath(const Hazard& hazard, std::string_view table_path,
                            std::string_view source_path) {
  return hazard.file == HazardFile::kSource ? source_path : table_path;
}

bool RecordNamesFile(const Hazard& hazard) {
  return hazard.code == HazardCode::kMarkupName || hazard.file == HazardFile::kSource;
}
