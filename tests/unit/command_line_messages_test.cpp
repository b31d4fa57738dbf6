// The command line's texts in the catalogue: each says something in Japanese and fills in
// the same arguments in both languages, so that no line loses a file name or a number.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "workbench/messages.hpp"

namespace comet {
namespace {

std::set<std::string> placeholdersIn(const std::string& pattern) {
    std::set<std::string> found;
    for (size_t at = pattern.find('{'); at != std::string::npos; at = pattern.find('{', at + 1))
        if (at + 2 < pattern.size() && pattern[at + 2] == '}') found.insert(pattern.substr(at, 3));
    return found;
}

bool saysSomethingInJapanese(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

std::string patternIn(Language language, Msg id) {
    setLanguage(language);
    return message(id);  // with no arguments the placeholders stay as written
}

TEST(CommandLineMessages, EachIsInJapaneseWithTheArgumentsOfItsEnglish) {
    for (auto i = static_cast<size_t>(Msg::CliHelpFile); i < static_cast<size_t>(Msg::Count_); ++i) {
        const auto id = static_cast<Msg>(i);
        const std::string english = patternIn(Language::English, id), japanese = patternIn(Language::Japanese, id);
        EXPECT_TRUE(saysSomethingInJapanese(japanese)) << english;
        EXPECT_EQ(placeholdersIn(japanese), placeholdersIn(english)) << english;
    }
    setLanguage(Language::English);
}

}  // namespace
}  // namespace comet
