// Writes the explorer page to its file all at once or not at all: the page
// goes to a scratch file beside it, which replaces the page only when every
// byte was written, so that a failed run leaves no half page behind (and an
// older page, if there was one, untouched).
#ifndef ZOR_CLI_EXPLORE_PAGE_FILE_H_
#define ZOR_CLI_EXPLORE_PAGE_FILE_H_

#include <functional>
#include <string>

#include "explore/explore_page_writer.h"
#include "platform/cli_streams.h"

// Hands the findings to the page's writer, and returns kExitClean, or
// kExitTrouble after reporting why on `io.err`.
using PageSource = std::function<int(ExplorePageWriter& writer)>;

// Returns kExitClean when the page was written, else kExitTrouble: the
// source's own status, or after reporting "zorvez: PATH: reason".
int WriteExplorePageFile(const std::string& path, const ExplorePageOptions& options, CliStreams& io,
                         const PageSource& source);

#endif  // ZOR_CLI_EXPLORE_PAGE_FILE_H_
