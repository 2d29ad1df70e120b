// A file named on the command line as SARIF locates it: a URI relative to
// the folder zorvez ran in, which a SARIF log names as a base ("%SRCROOT%"),
// so that a service that checks the repository out elsewhere still finds
// the file. A file outside that folder gets an absolute file URI.
#ifndef ZOR_OUTPUT_ARTIFACT_URI_H_
#define ZOR_OUTPUT_ARTIFACT_URI_H_

#include <string>
#include <string_view>

// The base every relative artifact URI is resolved against.
constexpr const char* kSourceRootBase = "%SRCROOT%";

struct ArtifactUri {
  std::string uri;
  bool relative = true;  // resolved against kSourceRootBase
};

// How the system writes paths: Windows also separates with '\' and starts
// an absolute path with a drive ("C:/") or two separators.
enum class PathStyle { kPosix, kWindows };

// `path` as given on the command line, `folder` the absolute current folder.
ArtifactUri ArtifactUriOf(std::string_view path, std::string_view folder, PathStyle style);

// "file:///home/me/tree/": the folder as the base's URI, ending in '/'.
std::string FolderUri(std::string_view folder, PathStyle style);

// Every byte but the unreserved characters and '/' as %XX, so that spaces,
// '#', '%', '?', and the bytes of UTF-8 all survive in a URI; ':' is kept
// only where asked (a drive letter), as a relative URI would otherwise read
// its first segment as a scheme.
std::string PercentEncoded(std::string_view path, bool keep_colon = false);

#endif  // ZOR_OUTPUT_ARTIFACT_URI_H_
