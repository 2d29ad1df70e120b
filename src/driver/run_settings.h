// What the environment and the command line settle for the whole process.
#ifndef ZOR_DRIVER_RUN_SETTINGS_H_
#define ZOR_DRIVER_RUN_SETTINGS_H_

#include "text/zor_string.h"

struct RunSettings {
  ZORUnicodeString directoryRoot;
  ZORUnicodeString directorySeparator{"/"};
  ZORUnicodeString sourceXmlPath;
  ZORUnicodeString targetXmlPath;
  ZORUnicodeString mappingTablePath;
  ZORUnicodeString reportPath;
  ZORUnicodeString proposedDdlPath;
  ZORUnicodeString proposedMappingPath;
  bool oldFormat = false;
  bool v5v5Mode = false;
  bool devTrace = false;
  bool inputsGiven = false;
  bool mappingGiven = false;
  bool outputGiven = false;
};

#endif  // ZOR_DRIVER_RUN_SETTINGS_H_
