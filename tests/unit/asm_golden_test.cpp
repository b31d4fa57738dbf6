// Golden assembler tests: every tests/asm/**/*.casl file is one test.
//
// A file starts with free text that says what it shows, then sections:
//
//   === source                        the CASL text; every line ends with CR LF
//   === source without final CR LF    the same, but the last line ends the text
//   === words                         the words at addresses 0..LC-1, four hex digits each
//   === memory                        the same one per line with its cell tag: "0000: 1240 -1"
//   === listing                       the lines of List1, each in double quotes
//   === messages                      every message box shown, in order, each in double quotes
//                                     after the line and columns it points at: 3:1-4 "..."
//
// In source lines and quoted texts \t \r \n \0 \s \" and \\ stand for a tab, a lone CR, a
// lone LF, a NUL, a blank, a quote and a backslash. In words and memory a ";" starts a
// comment. A section left out expects nothing: no words, no listing line, no message.
// Every file is assembled twice in the same workbench; both runs must give the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assembler/passes.hpp"
#include "session/headless.hpp"
#include "workbench/workbench.hpp"

namespace comet {
namespace {

namespace fs = std::filesystem;

struct ExpectedWord {
    int32_t value = 0;  // the signed 16-bit value the assembler stores
    std::optional<int16_t> tag;
};

struct GoldenCase {
    Text source;
    std::vector<ExpectedWord> words;
    std::vector<std::string> listing;   // UTF-8, for readable failure output
    std::vector<std::string> messages;  // UTF-8, after where each points: 3:1-4 "text"
};

std::string unescape(std::string_view s, const std::string& where) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) throw std::runtime_error(where + ": lone backslash");
        switch (s[i]) {
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case '0': out += '\0'; break;
        case 's': out += ' '; break;
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        default: throw std::runtime_error(where + ": unknown escape \\" + s[i]);
        }
    }
    return out;
}

std::string quoted(std::string_view line, const std::string& where) {
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
        throw std::runtime_error(where + ": expected a text in double quotes: " + std::string(line));
    }
    return unescape(line.substr(1, line.size() - 2), where);
}

std::string withoutComment(std::string_view line) {
    std::string s(line.substr(0, std::min(line.find(';'), line.size())));
    return s;
}

int32_t hexWord(const std::string& digits, const std::string& where) {
    if (digits.size() != 4 || digits.find_first_not_of("0123456789ABCDEF") != std::string::npos) {
        throw std::runtime_error(where + ": not four upper-case hex digits: " + digits);
    }
    return signed16(std::stoi(digits, nullptr, 16));
}

void readWords(const std::string& line, std::vector<ExpectedWord>& words, const std::string& where) {
    std::istringstream in(withoutComment(line));
    std::string w;
    while (in >> w) words.push_back({hexWord(w, where), std::nullopt});
}

void readMemoryLine(const std::string& line, std::vector<ExpectedWord>& words, const std::string& where) {
    std::istringstream in(withoutComment(line));
    std::string address, value;
    int tag = 0;
    if (!(in >> address)) return;
    if (!(in >> value >> tag) || address.size() != 5 || address.back() != ':') {
        throw std::runtime_error(where + ": expected \"AAAA: WWWW tag\"");
    }
    if (hexWord(address.substr(0, 4), where) != static_cast<int32_t>(words.size())) {
        throw std::runtime_error(where + ": addresses must run 0000, 0001, ...");
    }
    words.push_back({hexWord(value, where), static_cast<int16_t>(tag)});
}

GoldenCase readGolden(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    std::string section;
    std::string sourceUtf8;
    bool finalCrLf = true;
    bool firstSourceLine = true;
    GoldenCase c;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string where = path.filename().string() + ":" + std::to_string(number);
        if (line.starts_with("=== ")) {
            section = line.substr(4);
            if (section == "source without final CR LF") {
                section = "source";
                finalCrLf = false;
            }
            continue;
        }
        if (section == "source") {
            if (!firstSourceLine) sourceUtf8 += "\r\n";
            sourceUtf8 += unescape(line, where);
            firstSourceLine = false;
        } else if (section.empty() || line.empty()) {
            continue;  // the description, or a blank line between expectations
        } else if (section == "words") {
            readWords(line, c.words, where);
        } else if (section == "memory") {
            readMemoryLine(line, c.words, where);
        } else if (section == "listing") {
            c.listing.push_back(quoted(line, where));
        } else if (section == "messages") {
            const size_t quote = line.find('"');
            if (quote == std::string::npos || quote == 0) throw std::runtime_error(where + ": expected LINE:COLUMN-END \"message\"");
            c.messages.push_back(line.substr(0, quote) + quoted(line.substr(quote), where));
        } else {
            throw std::runtime_error(where + ": unknown section " + section);
        }
    }
    if (!firstSourceLine && finalCrLf) sourceUtf8 += "\r\n";
    c.source = fromUtf8(sourceUtf8);
    return c;
}

std::vector<fs::path> goldenFiles() {
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(fs::path(COMET_TEST_DIR) / "asm")) {
        if (e.is_regular_file() && e.path().extension() == ".casl") files.push_back(e.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string testName(const testing::TestParamInfo<fs::path>& info) {
    std::string name = fs::relative(info.param, fs::path(COMET_TEST_DIR) / "asm").replace_extension().string();
    std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
    return name;
}

class AsmGolden : public testing::TestWithParam<fs::path> {};

void expectAssembly(const GoldenCase& c, const Workbench& wb, const HeadlessDisplay& d) {
    ASSERT_EQ(wb.locationCounter, static_cast<int32_t>(c.words.size())) << "location counter";
    for (size_t a = 0; a < c.words.size(); ++a) {
        const Cell& cell = wb.memory.cell(a + 1);
        EXPECT_EQ(cell.value, c.words[a].value) << "word at address " << a;
        if (c.words[a].tag) {
            EXPECT_EQ(cell.tag, *c.words[a].tag) << "cell tag at address " << a;
        }
    }
    std::vector<std::string> listing;
    for (const Text& l : wb.list1.lines) listing.push_back(toUtf8(l));
    EXPECT_EQ(listing, c.listing);
    // Each box shows one of the assembler's diagnostics, in order.
    ASSERT_EQ(d.shown.size(), wb.diagnostics.size());
    std::vector<std::string> messages;
    for (size_t i = 0; i < d.shown.size(); ++i) {
        const ShownBox& b = d.shown[i];
        const SourceSpan& at = wb.diagnostics[i].where;
        EXPECT_EQ(b.kind, ShownBox::Message);
        EXPECT_EQ(b.title, kAppTitle);
        messages.push_back(std::to_string(at.line) + ':' + std::to_string(at.column) + '-' + std::to_string(at.endColumn) + ' ' +
                           toUtf8(b.text));
    }
    EXPECT_EQ(messages, c.messages);
}

TEST_P(AsmGolden, AssemblesAsWritten) {
    const GoldenCase c = readGolden(GetParam());
    HeadlessDisplay d;
    Workbench wb{d};
    wb.text1.text = c.source;
    for (const char* run : {"first assembly", "second assembly"}) {
        SCOPED_TRACE(run);
        d.shown.clear();
        SynANA(wb);
        semANA(wb);
        expectAssembly(c, wb, d);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, AsmGolden, testing::ValuesIn(goldenFiles()), testName);

}  // namespace
}  // namespace comet
