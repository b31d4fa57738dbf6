// Source files: encodings and line ends read and written back byte for byte, every
// kind of bad file refused with its reason, and saving that loses nothing on failure.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "files/source_file.hpp"

namespace comet {
namespace {

namespace fs = std::filesystem;

// ---- Bytes and text ----

struct RoundTrip {
    const char* name;
    std::string bytes;
    FileFormat format;
    Text text;  // the editor's text
};

TEST(SourceText, DecodesAndWritesBackTheSameBytes) {
    const RoundTrip rows[] = {
        {"UTF-8, LF", "S1 START\nAA DC '\xE3\x81\x82'\n", {Encoding::Utf8, LineEnd::Lf}, u"S1 START\r\nAA DC 'あ'\r\n"},
        {"UTF-8 with BOM, CR LF", "\xEF\xBB\xBF" "A\r\nB", {Encoding::Utf8WithBom, LineEnd::CrLf}, u"A\r\nB"},
        {"CP932 kana and kanji", "\xB1\xB2 \x8A\xBF\x8E\x9A \x82\xA9\x82\xC8\r\n", {Encoding::Cp932, LineEnd::CrLf},
         u"ｱｲ 漢字 かな\r\n"},
        {"CP932 backslash after a lead byte", "\x95\x5C\n", {Encoding::Cp932, LineEnd::Lf}, u"表\r\n"},
        {"UTF-16 LE", std::string("\xFF\xFE" "A\0\r\0\n\0\x42\x30", 10), {Encoding::Utf16Le, LineEnd::CrLf}, u"A\r\nあ"},
        {"UTF-16 BE with NUL", std::string("\xFE\xFF\0A\0\n\0\0", 8), {Encoding::Utf16Be, LineEnd::Lf}, Text(u"A\r\n\0", 4)},
        {"CR only", "A\rB\r", {Encoding::Utf8, LineEnd::Cr}, u"A\r\nB\r\n"},
        {"empty", "", {Encoding::Utf8, LineEnd::Lf}, u""},
    };
    for (const RoundTrip& r : rows) {
        const auto decoded = decodeSource(r.bytes);
        ASSERT_TRUE(std::holds_alternative<DecodedSource>(decoded)) << r.name;
        EXPECT_EQ(std::get<DecodedSource>(decoded).text, r.text) << r.name;
        EXPECT_EQ(std::get<DecodedSource>(decoded).format, r.format) << r.name;
        EXPECT_EQ(std::get<std::string>(encodeSource(r.text, r.format)), r.bytes) << r.name;
    }
}

TEST(SourceText, MixedLineEndsTakeTheFirstOne) {
    const auto decoded = std::get<DecodedSource>(decodeSource("a\nb\r\nc\rd"));
    EXPECT_EQ(decoded.text, u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(decoded.format.lineEnd, LineEnd::Lf);
    EXPECT_EQ(std::get<std::string>(encodeSource(decoded.text, decoded.format)), "a\nb\nc\nd");
}

TEST(SourceText, RefusesWhatIsNotText) {
    struct Row {
        const char* name;
        std::string bytes;
        NotText why;
    };
    const Row rows[] = {
        {"a UTF-8 mark on CP932", "\xEF\xBB\xBF\x82\xA0", NotText::UnknownEncoding},
        {"half a UTF-16 unit", "\xFF\xFE" "A", NotText::UnknownEncoding},
    };
    for (const Row& r : rows) {
        const auto decoded = decodeSource(r.bytes);
        ASSERT_TRUE(std::holds_alternative<NotText>(decoded)) << r.name;
        EXPECT_EQ(std::get<NotText>(decoded), r.why) << r.name;
    }
    const std::string lateNul = std::string(kTextProbeBytes, 'A') + '\0';
    EXPECT_TRUE(std::holds_alternative<DecodedSource>(decodeSource(lateNul)));
}

TEST(SourceText, Cp932NamesTheFirstCharacterItLacks) {
    const auto encoded = encodeSource(u"AB\r\nC\U0001F600", {Encoding::Cp932, LineEnd::Lf});
    ASSERT_TRUE(std::holds_alternative<size_t>(encoded));
    EXPECT_EQ(std::get<size_t>(encoded), 5u);
}

// Bytes handed over by the browser: refused past the limit, written back as read, and an
// encoding that lacks a character named with the file.
TEST(SourceText, BytesOfAFileHandedOver) {
    const auto tooLarge = sourceFileOf("big.casl", std::string(11, 'A'), 10);
    ASSERT_TRUE(std::holds_alternative<FileError>(tooLarge));
    EXPECT_EQ(std::get<FileError>(tooLarge).problem, FileProblem::TooLarge);
    const std::string cp932("; \x82\xA0\n EXIT\n", 11);
    const auto read = sourceFileOf("kana.casl", cp932, cp932.size());
    ASSERT_TRUE(std::holds_alternative<SourceFile>(read));
    const SourceFile& file = std::get<SourceFile>(read);
    const auto written = sourceBytesOf("kana.casl", file.text, file.format);
    ASSERT_TRUE(std::holds_alternative<std::string>(written));
    EXPECT_EQ(std::get<std::string>(written), cp932);
    const auto lacking = sourceBytesOf("kana.casl", u"\U0001F600", file.format);
    ASSERT_TRUE(std::holds_alternative<FileError>(lacking));
    EXPECT_EQ(std::get<FileError>(lacking).message.rfind("cannot save kana.casl: ", 0), 0u);
}

// ---- Files ----

struct SourceFiles : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("comet_files_" + std::to_string(::getpid()));
    SourceFiles() {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~SourceFiles() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    void put(const char* name, const std::string& bytes) const { std::ofstream(dir / name, std::ios::binary) << bytes; }
    std::string bytesOf(const char* name) const {
        std::ostringstream s;
        s << std::ifstream(dir / name, std::ios::binary).rdbuf();
        return s.str();
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator())); }
};

FileError readError(const std::string& path, size_t limit = kSourceFileLimit) {
    auto read = readSourceFile(path, limit);
    if (auto* e = std::get_if<FileError>(&read)) return *e;
    return {FileProblem::System, "read without an error"};
}

// Beyond the refusals the bad-input cases show: a path through a plain file, and a
// regular file over the limit refused by its size (a pipe is refused as it is read).
TEST_F(SourceFiles, RefusedFilesBeyondTheBadInputCases) {
    put("large.casl", std::string(101, 'A'));
    put("plain", "x");
    EXPECT_EQ(readError(path("plain") + "/a.casl").message, "cannot read " + path("plain") + "/a.casl: Not a directory");
    EXPECT_EQ(readError(path("large.casl"), 100).problem, FileProblem::TooLarge);
    EXPECT_TRUE(std::holds_alternative<SourceFile>(readSourceFile(path("large.casl"), 101)));
}

// The window reads no pipe: one with no writer would hold it up forever.
TEST_F(SourceFiles, APipeRefusedIsNeverWaitedOn) {
    ASSERT_EQ(::mkfifo(path("pipe.casl").c_str(), 0600), 0);
    const auto read = readSourceFile(path("pipe.casl"), kSourceFileLimit, Pipes::Refuse);
    ASSERT_TRUE(std::holds_alternative<FileError>(read));
    EXPECT_EQ(std::get<FileError>(read).message, "cannot read " + path("pipe.casl") + ": it is a pipe, not a file");
    EXPECT_EQ(std::get<FileError>(read).problem, FileProblem::Device);
}

TEST_F(SourceFiles, SavingKeepsTheFormatAndThePermissions) {
    const std::string cp932 = "\x8A\xBF\x8E\x9A\r\n";
    put("old.casl", cp932);
    fs::permissions(dir / "old.casl", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const auto read = std::get<SourceFile>(readSourceFile(path("old.casl")));
    ASSERT_FALSE(writeSourceFile(path("old.casl"), read.text + u"X\r\n", read.format));
    EXPECT_EQ(bytesOf("old.casl"), cp932 + "X\r\n");
    EXPECT_EQ(fs::status(dir / "old.casl").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(dir / "old.casl", dir / "link.casl");
    ASSERT_FALSE(writeSourceFile(path("link.casl"), u"Y\r\n", FileFormat{}));
    EXPECT_TRUE(fs::is_symlink(dir / "link.casl"));
    EXPECT_EQ(bytesOf("old.casl"), "Y\n");
    EXPECT_EQ(entries(), 2u);  // no temporary file is left
}

TEST_F(SourceFiles, AFailedSaveLeavesTheFileAsItWas) {
    put("old.casl", "old\n");
    mkdir(path("folder.casl").c_str(), 0700);
    struct Row {
        std::string path;
        Text text;
        FileFormat format;
        std::string message;
    };
    const Row rows[] = {
        {path("old.casl"), u"A\r\nB\U0001F600", {Encoding::Cp932, LineEnd::CrLf},
         "cannot save " + path("old.casl") + ": the character \"\U0001F600\" (U+1F600) on line 2 has no code in Shift_JIS (CP932); save it as UTF-8"},
        {path("folder.casl"), u"A", {}, "cannot save " + path("folder.casl") + ": it is a folder, not a file"},
        {path("none") + "/new.casl", u"A", {}, "cannot save " + path("none") + "/new.casl: No such file or directory"},
    };
    for (const Row& r : rows) {
        const auto error = writeSourceFile(r.path, r.text, r.format);
        ASSERT_TRUE(error) << r.path;
        EXPECT_EQ(error->message, r.message);
    }
    EXPECT_EQ(bytesOf("old.casl"), "old\n");
    EXPECT_EQ(entries(), 2u);
}

// A full disk while it lives, as the file size limit makes one: a write fails past 1000 bytes.
class FullDisk {
public:
    FullDisk() : signal_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit small = saved_;
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit saved_{};
    void (*signal_)(int);
};

// A full disk: the write fails half way.
TEST_F(SourceFiles, AFullDiskLosesNothing) {
    put("old.casl", "old\n");
    const auto error = [&] {
        const FullDisk full;
        return writeSourceFile(path("old.casl"), Text(5000, u'A'), FileFormat{});
    }();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "cannot save " + path("old.casl") + ": File too large");
    EXPECT_EQ(bytesOf("old.casl"), "old\n");
    EXPECT_EQ(entries(), 1u);
}

// A file written piece by piece: nothing of it shows until commit(), and a file given up
// (not committed, as when the run that writes it fails) leaves the old one and no temporary.
TEST_F(SourceFiles, APendingFileShowsOnlyWhenCommitted) {
    put("t.csv", "old\n");
    {
        PendingFile given_up(path("t.csv"), Msg::CliCannotWrite);
        EXPECT_TRUE(given_up.write(std::string(100'000, 'x')));
        EXPECT_EQ(bytesOf("t.csv"), "old\n");
    }
    EXPECT_EQ(bytesOf("t.csv"), "old\n");
    EXPECT_EQ(entries(), 1u);
    PendingFile file(path("t.csv"), Msg::CliCannotWrite);
    for (int i = 0; i < 1000; ++i) EXPECT_TRUE(file.write("row\n"));
    EXPECT_EQ(bytesOf("t.csv"), "old\n");
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(bytesOf("t.csv").size(), 4000u);
    EXPECT_EQ(entries(), 1u);
}

// A failed write of a pending file ends it at once with the system's reason.
TEST_F(SourceFiles, APendingFileOnAFullDiskFailsAtOnce) {
    put("t.csv", "old\n");
    PendingFile file(path("t.csv"), Msg::CliCannotWrite);
    bool written = true;
    {
        const FullDisk full;
        for (int i = 0; i < 100'000 && written; ++i) written = file.write("a row of a trace\n");
    }
    EXPECT_FALSE(written);
    ASSERT_TRUE(file.error());
    EXPECT_EQ(file.error()->message, "cannot write " + path("t.csv") + ": File too large");
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(bytesOf("t.csv"), "old\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SourceFiles, AReadOnlyFolderRefusesTheSave) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
    put("old.casl", "old\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const auto error = writeSourceFile(path("old.casl"), u"new", FileFormat{});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "cannot save " + path("old.casl") + ": Permission denied");
    EXPECT_EQ(bytesOf("old.casl"), "old\n");
}

}  // namespace
}  // namespace comet
