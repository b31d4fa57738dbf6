// Outputs never replace inputs: the same file by device and inode, or by resolved path
// before it exists; and names shown escaped in the messages that name them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "files/escape.hpp"
#include "files/output_guard.hpp"

namespace comet {
namespace {

namespace fs = std::filesystem;

struct OutputGuard : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("comet_guard_" + std::to_string(::getpid()));
    OutputGuard() {
        fs::remove_all(dir);
        fs::create_directories(dir / "sub");
        std::ofstream(dir / "p.casl") << "x";
        std::ofstream(dir / "q.casl") << "x";
        fs::create_hard_link(dir / "p.casl", dir / "hard.csv");
        fs::create_symlink("p.casl", dir / "soft.csv");
    }
    ~OutputGuard() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
};

TEST_F(OutputGuard, EveryOutputIsComparedWithEveryInputAndEveryOtherOutput) {
    struct Row {
        std::vector<NamedFile> inputs, outputs;
        std::optional<std::string> clash;
    };
    const NamedFile program{"the program", path("p.casl")};
    const Row rows[] = {
        {{program}, {{"--trace", path("q.casl")}}, std::nullopt},
        {{program}, {{"--trace", path("new.csv")}}, std::nullopt},
        {{program}, {{"--trace", path("p.casl")}},
         "--trace " + path("p.casl") + " is the program " + path("p.casl") + ": an output never replaces what is read"},
        {{program}, {{"--trace", path("hard.csv")}},
         "--trace " + path("hard.csv") + " is the program " + path("p.casl") + ": an output never replaces what is read"},
        {{program}, {{"--trace", path("soft.csv")}},
         "--trace " + path("soft.csv") + " is the program " + path("p.casl") + ": an output never replaces what is read"},
        {{program}, {{"--junit", path("r.xml")}, {"--csv", path("sub/../r.xml")}},
         "--csv " + path("sub/../r.xml") + " is --junit " + path("r.xml") + ": two outputs cannot share a file"},
        {{program}, {{"--junit", path("r.xml")}, {"--csv", path("r.csv")}}, std::nullopt},
    };
    for (const Row& r : rows) EXPECT_EQ(outputClash(r.inputs, r.outputs), r.clash) << r.outputs.back().path;
}

TEST(ShownName, OneLineWithNoControlCharacterAndNoInvalidUtf8) {
    struct Row {
        std::string name, shown;
    };
    const Row rows[] = {
        {"a.casl", "a.casl"},
        {"データ.casl", "データ.casl"},
        {"a\x1B[31mb", "a\\x1B[31mb"},
        {"line\nbreak\r\ttab", "line\\nbreak\\r\\ttab"},
        {"back\\slash \"quoted\"", "back\\\\slash \"quoted\""},
        {"\xFF\xC3(\xE3\x81", "\\xFF\\xC3(\\xE3\\x81"},
        {"\xC2\x9B" "31m\x7F", "\\xC2\\x9B31m\\x7F"},            // C1 CSI and DEL
        {"\xED\xA0\x80\xC0\xAF", "\\xED\\xA0\\x80\\xC0\\xAF"},    // a surrogate, an overlong form
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const Row& r : rows) EXPECT_EQ(shownName(r.name), r.shown) << r.shown;
}

}  // namespace
}  // namespace comet
