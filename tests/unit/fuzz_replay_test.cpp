// Every committed fuzz input, the seed corpus and the regressions of faults the
// fuzzers found, replayed through the same cases and invariants as the fuzzers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "cases.hpp"

namespace comet::fuzz {
namespace {

namespace fs = std::filesystem;

struct Target {
    const char* name;  // the folder under fuzz/corpus and fuzz/regressions
    std::string (*run)(Bytes);
};

std::vector<uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> inputsOf(const char* target) {
    std::vector<fs::path> files;
    for (const char* set : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(COMET_FUZZ_DIR) / set / target;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    return files;
}

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, EveryCommittedInputKeepsTheInvariants) {
    const auto files = inputsOf(GetParam().name);
    ASSERT_FALSE(files.empty()) << "no committed inputs for " << GetParam().name;
    for (const auto& file : files) {
        const auto bytes = readBytes(file);
        EXPECT_EQ(GetParam().run(Bytes(bytes.data(), bytes.size())), "") << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay,
                         ::testing::Values(Target{"assembler", runAssemblerCase}, Target{"engine", runEngineCase},
                                           Target{"session", runSessionCase}, Target{"protocol", runProtocolCase},
                                           Target{"cases", runCasesCase}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace comet::fuzz
