#include "grading/cases.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <unordered_set>
#include <variant>

#include "machine/machine.hpp"
#include "files/source_file.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

constexpr int32_t kLowestWord = -32768;  // a word as a signed 16-bit value
constexpr int32_t kHighestWord = 0xFFFF; // a word as an unsigned one
constexpr int64_t kMostPoints = 1000;
constexpr double kLongestTimeLimit = 24 * 3600.0;  // a day: a limit, not a way to wait for ever

// The names `match` takes, in OutputMatch's order.
constexpr std::array<std::string_view, 4> kMatchNames{"exact", "trim", "ignore-case", "regex"};

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

TextView trimmed(TextView s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char16_t folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// The checks of one case file, each naming the place it found at fault.
class CaseFileReader {
public:
    explicit CaseFileReader(const std::string& path) : path_(path) {}

    [[noreturn]] void fail(const toml::source_region& at, const std::string& problem) const {
        throw CaseFileError(path_ + ':' + std::to_string(at.begin.line) + ':' + std::to_string(at.begin.column) + ": " +
                            problem);
    }

    // Every key of `table` is one of `allowed`.
    void onlyKeys(const toml::table& table, std::initializer_list<std::string_view> allowed, const std::string& what) const {
        for (auto&& [key, node] : table) {
            if (std::find(allowed.begin(), allowed.end(), key.str()) != allowed.end()) continue;
            std::string known;
            for (const auto k : allowed) known += (known.empty() ? "" : ", ") + std::string(k);
            fail(key.source(), message(Msg::CliCaseUnknownKey, {key.str(), what, known}));
        }
    }

    std::string text(const toml::node& node, const std::string& what) const {
        const auto value = node.value<std::string>();
        if (!value) fail(node.source(), message(Msg::CliCaseMustBeString, {what}));
        return *value;
    }

    std::vector<Text> lines(const toml::node& node, const std::string& what) const {
        const auto* array = node.as_array();
        if (!array) fail(node.source(), message(Msg::CliCaseMustBeLines, {what}));
        std::vector<Text> out;
        for (const auto& element : *array) out.push_back(fromUtf8(text(element, message(Msg::CliCaseEveryLineOf, {what}))));
        return out;
    }

    // A whole number, also when written as a float (3.0). toml++ casts a float to int64_t
    // without a range check, which is undefined beyond 2^63, so a float that large is no number.
    static std::optional<int64_t> wholeNumber(const toml::node& node) {
        constexpr double kBeyondInt64 = 9.2e18;
        if (const auto* f = node.as_floating_point(); f && !(std::fabs(f->get()) < kBeyondInt64)) return std::nullopt;
        return node.value<int64_t>();
    }

    long steps(const toml::node& node) const {
        const auto value = wholeNumber(node);
        if (!value || *value < 1) fail(node.source(), message(Msg::CliCaseMaxSteps));
        return static_cast<long>(*value);
    }

    int points(const toml::node& node) const {
        const auto value = wholeNumber(node);
        if (!value || *value < 0 || *value > kMostPoints) fail(node.source(), message(Msg::CliCasePoints));
        return static_cast<int>(*value);
    }

    double seconds(const toml::node& node) const {
        const auto value = node.value<double>();  // whole numbers too
        if (!value || !(*value > 0) || *value > kLongestTimeLimit)
            fail(node.source(), message(Msg::CliCaseTimeout));
        return *value;
    }

    bool flag(const toml::node& node, const std::string& what) const {
        const auto value = node.value<bool>();
        if (!value || !node.is_boolean()) fail(node.source(), message(Msg::CliCaseMustBeFlag, {what}));
        return *value;
    }

    OutputMatch match(const toml::node& node) const {
        const std::string name = text(node, "match");
        const auto found = std::find(kMatchNames.begin(), kMatchNames.end(), name);
        if (found == kMatchNames.end()) fail(node.source(), message(Msg::CliCaseMatch));
        return static_cast<OutputMatch>(found - kMatchNames.begin());
    }

    std::vector<std::regex> patterns(const toml::node& output) const {
        std::vector<std::regex> out;
        for (const auto& line : *output.as_array()) {
            try {
                out.emplace_back(*line.value<std::string>(), std::regex::ECMAScript);
            } catch (const std::regex_error& e) {
                fail(line.source(), message(Msg::CliCaseNotRegex, {std::to_string(out.size() + 1), e.what()}));
            }
        }
        return out;
    }

    int32_t word(const toml::node& node, const std::string& what) const {
        const auto value = wholeNumber(node);
        if (!value || *value < kLowestWord || *value > kHighestWord)
            fail(node.source(), message(Msg::CliCaseWordRange, {what}));
        return static_cast<int32_t>(*value);
    }

    const toml::table& table(const toml::node& node, const std::string& what) const {
        const auto* t = node.as_table();
        if (!t) fail(node.source(), message(Msg::CliCaseMustBeTable, {what}));
        return *t;
    }

    std::vector<WordExpectation> registers(const toml::node& node) const {
        std::vector<WordExpectation> out;
        for (auto&& [key, value] : table(node, "registers")) {
            std::string name(key.str());
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
            if (std::find(kRegisterNames.begin(), kRegisterNames.end(), name) == kRegisterNames.end())
                fail(key.source(), message(Msg::CliCaseNoRegister, {key.str()}));
            out.push_back({name, word(value, name)});
        }
        return out;
    }

    void labels(const toml::node& node, std::vector<MemoryExpectation>& out) const {
        for (auto&& [key, value] : table(node, "labels")) out.push_back({std::string(key.str()), 0, {word(value, std::string(key.str()))}});
    }

    // "LABEL" or "LABEL+N", N a whole number of words (decimal or 0x hexadecimal).
    MemoryExpectation place(const toml::key& key) const {
        const std::string_view named = key.str();
        const auto plus = named.find('+');
        MemoryExpectation m{std::string(named.substr(0, plus)), 0, {}};
        if (plus != std::string_view::npos) {
            const std::string offset(named.substr(plus + 1));
            const bool hex = offset.starts_with("0x") || offset.starts_with("0X");
            const std::string digits = hex ? offset.substr(2) : offset;
            const bool ok = !digits.empty() && digits.size() <= 5 &&
                            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") == std::string::npos;
            if (ok) m.offset = static_cast<int32_t>(std::stol(digits, nullptr, hex ? 16 : 10));
            if (!ok || m.offset > kHighestWord) fail(key.source(), message(Msg::CliCasePlaceForm, {named}));
        }
        if (m.label.empty()) fail(key.source(), message(Msg::CliCasePlaceLabel, {named}));
        return m;
    }

    void memory(const toml::node& node, std::vector<MemoryExpectation>& out) const {
        for (auto&& [key, value] : table(node, "memory")) {
            MemoryExpectation m = place(key);
            const std::string what(key.str());
            if (const auto* run = value.as_array()) {
                if (run->empty()) fail(value.source(), message(Msg::CliCaseMustBeWords, {what}));
                for (const auto& w : *run) m.words.push_back(word(w, message(Msg::CliCaseEveryWordOf, {what})));
            } else {
                m.words.push_back(word(value, what));
            }
            out.push_back(std::move(m));
        }
    }

    // `defaults` holds what the file sets for every case.
    TestCase testCase(const toml::table& t, const TestCase& defaults) const {
        onlyKeys(t, {"name", "points", "hidden", "input", "output", "match", "max-steps", "timeout", "registers", "labels", "memory"},
                 message(Msg::CliInACase));
        TestCase c = defaults;
        if (!t.contains("name")) fail(t.source(), message(Msg::CliCaseNeedsName));
        c.name = text(*t.get("name"), "name");
        if (const auto* n = t.get("points")) c.points = points(*n);
        if (const auto* n = t.get("hidden")) c.hidden = flag(*n, "hidden");
        if (const auto* n = t.get("input")) c.input = lines(*n, "input");
        if (const auto* n = t.get("output")) {
            c.output = lines(*n, "output");
            c.checksOutput = true;
        }
        if (const auto* n = t.get("match")) c.match = match(*n);
        if (c.match == OutputMatch::Regex && c.checksOutput) c.patterns = patterns(*t.get("output"));
        if (const auto* n = t.get("max-steps")) c.maxSteps = steps(*n);
        if (const auto* n = t.get("timeout")) c.timeLimit = seconds(*n);
        if (const auto* n = t.get("registers")) c.registers = registers(*n);
        if (const auto* n = t.get("labels")) labels(*n, c.memory);
        if (const auto* n = t.get("memory")) memory(*n, c.memory);
        return c;
    }

    std::vector<TestCase> cases(const toml::table& doc, const TestCase& defaults) const {
        const auto* node = doc.get("case");
        if (!node) throw CaseFileError(path_ + ": " + message(Msg::CliCaseNone));
        const auto* array = node->as_array();
        if (!array || !array->is_array_of_tables()) fail(node->source(), message(Msg::CliCaseUnderCase));
        std::vector<TestCase> out;
        out.reserve(array->size());
        std::unordered_set<std::string> names;
        for (const auto& element : *array) {
            out.push_back(testCase(*element.as_table(), defaults));
            if (!names.insert(out.back().name).second)
                fail(element.as_table()->get("name")->source(), message(Msg::CliCaseSecondNamed, {out.back().name}));
        }
        return out;
    }

    // The reference solution's path as named, taken from the case file's own folder.
    std::string referencePath(const toml::node& node) const {
        const std::filesystem::path named(text(node, "reference"));
        return (named.is_absolute() ? named : std::filesystem::path(path_).parent_path() / named).string();
    }

    std::string where(const toml::node& node) const {
        return path_ + ':' + std::to_string(node.source().begin.line) + ':' + std::to_string(node.source().begin.column);
    }

private:
    const std::string& path_;
};

}  // namespace

Exercise parseExercise(std::string_view document, const std::string& path, long defaultMaxSteps) {
    const CaseFileReader reader(path);
    toml::table doc;
    try {
        doc = toml::parse(document, std::string_view(path));
    } catch (const toml::parse_error& e) {
        reader.fail(e.source(), std::string(e.description()));
    }
    reader.onlyKeys(doc, {"reference", "max-steps", "timeout", "case"}, message(Msg::CliRoleCaseFile));
    Exercise exercise;
    exercise.path = path;
    TestCase defaults;
    defaults.maxSteps = defaultMaxSteps;
    if (const auto* n = doc.get("max-steps")) defaults.maxSteps = reader.steps(*n);
    if (const auto* n = doc.get("timeout")) defaults.timeLimit = reader.seconds(*n);
    if (const auto* n = doc.get("reference")) {
        exercise.reference = reader.referencePath(*n);
        exercise.referenceWhere = reader.where(*n);
    }
    exercise.cases = reader.cases(doc, defaults);
    return exercise;
}

bool outputLineMatches(const TestCase& test, size_t index, const Text& actual) {
    const Text& expected = test.output[index];
    switch (test.match) {
    case OutputMatch::Exact: return actual == expected;
    case OutputMatch::Trim: return trimmed(actual) == trimmed(expected);
    case OutputMatch::IgnoreCase:
        return std::equal(actual.begin(), actual.end(), expected.begin(), expected.end(),
                          [](char16_t a, char16_t b) { return folded(a) == folded(b); });
    case OutputMatch::Regex: return std::regex_match(toUtf8(actual), test.patterns[index]);
    }
    return false;
}

int Exercise::maxPoints() const {
    int sum = 0;
    for (const auto& c : cases) sum += c.points;
    return sum;
}

namespace {

// Read as a source file is: any encoding a teacher's editor writes, within the same limit.
Exercise exerciseIn(const std::variant<SourceFile, FileError>& file, const std::string& path, long defaultMaxSteps) {
    if (const auto* error = std::get_if<FileError>(&file)) throw CaseFileError(error->message);
    return parseExercise(toUtf8(std::get<SourceFile>(file).text), path, defaultMaxSteps);
}

}  // namespace

Exercise loadExercise(const std::string& path, long defaultMaxSteps) {
    return exerciseIn(readSourceFile(path), path, defaultMaxSteps);
}

Exercise exerciseOf(std::string_view bytes, const std::string& name, long defaultMaxSteps) {
    return exerciseIn(sourceFileOf(name, bytes), name, defaultMaxSteps);
}

}  // namespace comet
