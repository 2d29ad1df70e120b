// What the environment and the command line settle for the whole process.
#ifndef ZOR_DRIVER_RUN_SETTINGS_H_
#define ZOR_DRIVER_RUN_SETTINGS_H_

#include "text/zor_string.h"

struct RunSettings {
  ZORUnicodeString directory_root;
  ZORUnicodeString directory_separator{"/"};
  ZORUnicodeString source_xml_path;
  ZORUnicodeString target_xml_path;
  ZORUnicodeString mapping_table_path;
  ZORUnicodeString report_path;
  ZORUnicodeString proposed_ddl_path;
  ZORUnicodeString proposed_mapping_path;
  bool old_format = false;
  bool v5v5_mode = false;
  bool dev_trace = false;
  bool inputs_given = false;
  bool mapping_given = false;
  bool output_given = false;
};

#endif  // ZOR_DRIVER_RUN_SETTINGS_H_
