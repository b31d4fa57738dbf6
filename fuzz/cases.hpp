// One fuzz case per target: the bytes a fuzzer made up, run through the workbench
// with every invariant checked. The libFuzzer entry points and the replay test of
// the committed corpus both call these.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace comet::fuzz {

using Bytes = std::span<const uint8_t>;

// Each returns the first broken invariant, or an empty string when all held.
std::string runAssemblerCase(Bytes bytes);  // the bytes as the editor's text, then "ASM" twice
std::string runEngineCase(Bytes bytes);     // memory, boxes, answers; Debug Mode against Run Mode
std::string runSessionCase(Bytes bytes);    // the bytes as a session script
std::string runProtocolCase(Bytes bytes);   // the bytes as an editor's messages to the language server
std::string runCasesCase(Bytes bytes);      // the bytes as a case file; the reports of a class graded against it

}  // namespace comet::fuzz
