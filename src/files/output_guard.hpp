// Outputs never replace inputs: a command that writes files (a trace, reports, feedback,
// screenshots) checks, before it runs, that none of them is a file it reads or another of
// its outputs. Two names are the same file when they reach the same device and inode, or,
// for a file not made yet, when they resolve to the same path.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace comet {

// A file a command names on its command line, with what the command does with it
// ("the program", "--trace"), as a clash message names it.
struct NamedFile {
    std::string role;
    std::string path;
};

// The first clash of an output with an input or with an earlier output, as one line
// ("--trace p.casl is the program p.casl: an output never replaces what is read"), or
// nothing when every output is a file of its own.
std::optional<std::string> outputClash(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

}  // namespace comet
