#include "grading/cases.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <variant>

#include "machine/machine.hpp"
#include "files/source_file.hpp"

namespace comet {
namespace {

constexpr int32_t kLowestWord = -32768;  // a word as a signed 16-bit value
constexpr int32_t kHighestWord = 0xFFFF; // a word as an unsigned one

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
            fail(key.source(), "unknown key \"" + std::string(key.str()) + "\" in " + what + " (known: " + known + ")");
        }
    }

    std::string text(const toml::node& node, const std::string& what) const {
        const auto value = node.value<std::string>();
        if (!value) fail(node.source(), what + " must be a string");
        return *value;
    }

    std::vector<Text> lines(const toml::node& node, const std::string& what) const {
        const auto* array = node.as_array();
        if (!array) fail(node.source(), what + " must be an array of strings, one per line");
        std::vector<Text> out;
        for (const auto& element : *array) out.push_back(fromUtf8(text(element, "every line of " + what)));
        return out;
    }

    long steps(const toml::node& node) const {
        const auto value = node.value<int64_t>();
        if (!value || *value < 1) fail(node.source(), "max-steps must be a whole number of 1 or more");
        return static_cast<long>(*value);
    }

    int32_t word(const toml::node& node, const std::string& what) const {
        const auto value = node.value<int64_t>();
        if (!value || *value < kLowestWord || *value > kHighestWord)
            fail(node.source(), what + " must be a whole number from -32768 to 65535 (0xFFFF)");
        return static_cast<int32_t>(*value);
    }

    const toml::table& table(const toml::node& node, const std::string& what) const {
        const auto* t = node.as_table();
        if (!t) fail(node.source(), what + " must be a table");
        return *t;
    }

    std::vector<WordExpectation> registers(const toml::node& node) const {
        std::vector<WordExpectation> out;
        for (auto&& [key, value] : table(node, "registers")) {
            std::string name(key.str());
            std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
            if (std::find(kRegisterNames.begin(), kRegisterNames.end(), name) == kRegisterNames.end())
                fail(key.source(), "no register is named \"" + std::string(key.str()) + "\" (GR0..GR4, FR)");
            out.push_back({name, word(value, name)});
        }
        return out;
    }

    std::vector<WordExpectation> labels(const toml::node& node) const {
        std::vector<WordExpectation> out;
        for (auto&& [key, value] : table(node, "labels")) out.push_back({std::string(key.str()), word(value, std::string(key.str()))});
        return out;
    }

    TestCase testCase(const toml::table& t, long maxSteps) const {
        onlyKeys(t, {"name", "input", "output", "max-steps", "registers", "labels"}, "a case");
        TestCase c;
        if (!t.contains("name")) fail(t.source(), "a case needs a name");
        c.name = text(*t.get("name"), "name");
        c.maxSteps = maxSteps;
        if (const auto* n = t.get("input")) c.input = lines(*n, "input");
        if (const auto* n = t.get("output")) {
            c.output = lines(*n, "output");
            c.checksOutput = true;
        }
        if (const auto* n = t.get("max-steps")) c.maxSteps = steps(*n);
        if (const auto* n = t.get("registers")) c.registers = registers(*n);
        if (const auto* n = t.get("labels")) c.labels = labels(*n);
        return c;
    }

    std::vector<TestCase> cases(const toml::table& doc, long maxSteps) const {
        const auto* node = doc.get("case");
        if (!node) throw CaseFileError(path_ + ": no test cases: write each under [[case]]");
        const auto* array = node->as_array();
        if (!array || !array->is_array_of_tables()) fail(node->source(), "write each case under [[case]]");
        std::vector<TestCase> out;
        for (const auto& element : *array) {
            out.push_back(testCase(*element.as_table(), maxSteps));
            for (size_t i = 0; i + 1 < out.size(); ++i)
                if (out[i].name == out.back().name)
                    fail(element.as_table()->get("name")->source(), "a second case named \"" + out.back().name + "\"");
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
    reader.onlyKeys(doc, {"reference", "max-steps", "case"}, "the case file");
    Exercise exercise;
    exercise.path = path;
    long maxSteps = defaultMaxSteps;
    if (const auto* n = doc.get("max-steps")) maxSteps = reader.steps(*n);
    if (const auto* n = doc.get("reference")) {
        exercise.reference = reader.referencePath(*n);
        exercise.referenceWhere = reader.where(*n);
    }
    exercise.cases = reader.cases(doc, maxSteps);
    return exercise;
}

Exercise loadExercise(const std::string& path, long defaultMaxSteps) {
    // Read as a source file is: any encoding a teacher's editor writes, within the same limit.
    const auto file = readSourceFile(path);
    if (const auto* error = std::get_if<FileError>(&file)) throw CaseFileError(error->message);
    return parseExercise(toUtf8(std::get<SourceFile>(file).text), path, defaultMaxSteps);
}

}  // namespace comet
