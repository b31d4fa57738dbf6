// The open document: its title and unsaved changes, the recent files, and the recovery
// copy's text and whether it is worth offering. The window tests cover the dialogs,
// the files on disk and a killed process.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/document.hpp"
#include "session/mainwindow.hpp"

namespace comet {
namespace {

TEST(Document, TitleNamesTheFileAndMarksUnsavedChanges) {
    struct Row {
        std::string path;
        bool unsaved;
        const char16_t* title;
    };
    const Row rows[] = {
        {"", false, u"COMET Emulation"},  // as the window has always been titled
        {"", true, u"Untitled* \u2014 COMET Emulation"},
        {"/home/u/a.casl", false, u"a.casl \u2014 COMET Emulation"},
        {"/home/u/a.casl", true, u"a.casl* \u2014 COMET Emulation"},
        {"/home/u/\xE3\x83\x86\xE3\x82\xB9\xE3\x83\x88.casl", false, u"\u30C6\u30B9\u30C8.casl \u2014 COMET Emulation"},
        {"relative.casl", true, u"relative.casl* \u2014 COMET Emulation"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(windowTitleOf(documentOf(row.path, {}, {}), row.unsaved), row.title) << row.path;
    }
    EXPECT_EQ(saveChangesQuestion(documentOf("/x/b.casl", {}, {})), u"Save the changes to b.casl before they are lost?");
}

TEST(Document, UnsavedChangesAreTheEditorsDifferencesFromTheFile) {
    const Document start = startDocument();
    EXPECT_FALSE(hasUnsavedChanges(start, kSampleProgram));
    EXPECT_TRUE(hasUnsavedChanges(start, kSampleProgram + u"X"));
    EXPECT_EQ(start.format, FileFormat{});  // a new file: UTF-8 without a mark, LF
    const Document opened = documentOf("/a.casl", {Encoding::Cp932, LineEnd::CrLf}, u"A\r\n");
    EXPECT_FALSE(hasUnsavedChanges(opened, u"A\r\n"));
    EXPECT_TRUE(hasUnsavedChanges(opened, u"A\r\n\r\n"));
    EXPECT_TRUE(hasUnsavedChanges(opened, u""));
}

TEST(SaveAs, ANameWithoutExtensionGetsCasl) {
    const std::pair<std::string, std::string> rows[] = {
        {"countdown", "countdown.casl"},
        {"/home/u/countdown", "/home/u/countdown.casl"},
        {"/home/u.v/countdown", "/home/u.v/countdown.casl"},
        {"/home/u/countdown.asm", "/home/u/countdown.asm"},
        {"/home/u/a.b.txt", "/home/u/a.b.txt"},
        {"/home/u/.hidden", "/home/u/.hidden.casl"},
    };
    for (const auto& [given, saved] : rows) EXPECT_EQ(withSourceExtension(given), saved) << given;
}

TEST(RecentFiles, MostRecentFirstWithoutDuplicatesUpToTheCap) {
    std::vector<std::string> recent;
    for (const char* path : {"a", "b", "c", "b"}) recent = withRecentFile(recent, path);
    EXPECT_EQ(recent, (std::vector<std::string>{"b", "c", "a"}));
    for (int i = 0; i < 20; ++i) recent = withRecentFile(recent, "f" + std::to_string(i));
    ASSERT_EQ(recent.size(), kRecentFileCount);
    EXPECT_EQ(recent.front(), "f19");
    EXPECT_EQ(recent.back(), "f12");
}

TEST(RecoveryCopy, ItsTextGivesBackWhatWasKept) {
    const RecoveryCopy copies[] = {
        {"", FileFormat{}, kSampleProgram},
        {"/home/u/a b.casl", {Encoding::Cp932, LineEnd::CrLf}, u"\u6F22\u5B57\r\n\tLD GR0\r\n"},
        {"/x/y.casl", {Encoding::Utf8WithBom, LineEnd::Cr}, u""},
        {"/x/z.casl", {Encoding::Utf16Be, LineEnd::Lf}, u"COMET Workbench recovery copy\tUTF-8\tLF\t\r\n"},
    };
    for (const RecoveryCopy& copy : copies) {
        const auto parsed = parseRecoveryText(recoveryText(copy));
        ASSERT_TRUE(parsed.has_value()) << copy.path;
        EXPECT_EQ(parsed->path, copy.path);
        EXPECT_EQ(parsed->format, copy.format);
        EXPECT_EQ(parsed->text, copy.text);
    }
}

// A path the header line cannot carry whole is left out: the text is still recovered.
TEST(RecoveryCopy, APathThatCannotBeKeptIsLeftOut) {
    for (const std::string& path : {std::string("/a\tb.casl"), std::string("/a\nb.casl"), std::string("/bad\xFF.casl")}) {
        const auto parsed = parseRecoveryText(recoveryText({path, FileFormat{}, u"A\r\n"}));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->path, "");
        EXPECT_EQ(parsed->text, u"A\r\n");
    }
}

TEST(RecoveryCopy, OtherTextsAreNoCopies) {
    for (const char16_t* text : {u"", u"S1 START\r\n", u"COMET Workbench recovery copy\tUTF-8\tLF",
                                 u"COMET Workbench recovery copy\tUTF-9\tLF\t\r\nA", u"COMET Workbench recovery copy\tUTF-8\tCRLF\t\r\nA",
                                 u"COMET Workbench recovery copy\tUTF-8\r\nA"}) {
        EXPECT_FALSE(parseRecoveryText(text).has_value()) << toUtf8(text);
    }
}

TEST(RecoveryCopy, WorthRestoringWhenItHoldsSomethingNew) {
    struct Row {
        const char* what;
        RecoveryCopy copy;
        std::optional<Text> fileText;
        bool worth;
    };
    const Row rows[] = {
        {"the file has other text", {"/a.casl", {}, u"XA\r\n"}, Text(u"A\r\n"), true},
        {"the file has that text", {"/a.casl", {}, u"A\r\n"}, Text(u"A\r\n"), false},
        {"the file is gone", {"/a.casl", {}, u"A\r\n"}, std::nullopt, true},
        {"no file, a new text", {"", {}, u"A\r\n"}, std::nullopt, true},
        {"no file, nothing", {"", {}, u""}, std::nullopt, false},
        {"no file, the sample", {"", {}, kSampleProgram}, std::nullopt, false},
    };
    for (const Row& row : rows) EXPECT_EQ(worthRestoring(row.copy, row.fileText), row.worth) << row.what;
}

}  // namespace
}  // namespace comet
