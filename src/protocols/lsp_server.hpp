// `comet-workbench --lsp`: the language server an editor starts, speaking the Language
// Server Protocol on the process's standard input and output.
#pragma once

#include <iosfwd>

#include <nlohmann/json.hpp>

#include "workbench/workbench.hpp"

namespace comet {

// Serves until the client's exit notification or the end of `in`; the exit status: 0
// when a shutdown request came before, 1 otherwise.
int serveLanguage(std::istream& in, std::ostream& out);

// The diagnostics of the last ASM of `wb`, as the protocol publishes them.
nlohmann::json lspDiagnostics(const Workbench& wb);

}  // namespace comet
