#include "app/grade_command.hpp"

#include <fstream>
#include <optional>
#include <ostream>
#include <thread>

#include "app/arguments.hpp"
#include "grading/grade.hpp"
#include "grading/grade_report.hpp"
#include "session/headless.hpp"

namespace comet {
namespace {

constexpr unsigned kMaxJobs = 256;

struct GradeOptions {
    std::string cases;
    std::vector<std::string> named;  // files and folders of submissions
    std::string junit, csv;          // report files; "" for none
    unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

// 1 to kMaxJobs, in at most three digits.
std::optional<unsigned> jobCount(const std::string& s) {
    const auto n = s.size() <= 3 ? numberIn(s, 1, kMaxJobs) : std::nullopt;
    if (!n) return std::nullopt;
    return static_cast<unsigned>(*n);
}

// The options, in any order after CASES; nothing when they are not well formed.
std::optional<GradeOptions> parseOptions(const std::vector<std::string>& args) {
    if (args.empty()) return std::nullopt;
    GradeOptions o;
    o.cases = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!a.starts_with("--")) {
            o.named.push_back(a);
            continue;
        }
        if (i + 1 == args.size()) return std::nullopt;
        const std::string& value = args[++i];
        if (a == "--junit") o.junit = value;
        else if (a == "--csv") o.csv = value;
        else if (a == "--jobs" && jobCount(value)) o.jobs = *jobCount(value);
        else return std::nullopt;
    }
    if (o.named.empty()) return std::nullopt;
    return o;
}

// Writes a report file; false, after saying why on `err`, when it cannot be written.
bool writeReport(const std::string& path, const std::string& text, std::ostream& err) {
    if (path.empty()) return true;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (file) return true;
    err << "comet-workbench: cannot write " << path << '\n';
    return false;
}

}  // namespace

GradeStatus gradeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = parseOptions(args);
    if (!options) {
        err << "usage: comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--jobs N (1.." << kMaxJobs
            << ")] FILE_OR_FOLDER...\n";
        return kCannotGrade;
    }
    try {
        const Exercise exercise = loadExercise(options->cases, kDefaultMaxSteps);
        const Grader grader(exercise);
        const auto submissions = collectSubmissions(options->named);
        if (submissions.empty()) {
            err << "comet-workbench: no submissions to grade (a folder's files must end in .casl)\n";
            return kCannotGrade;
        }
        const auto results = grader.gradeAll(submissions, options->jobs);
        out << summaryText(exercise, results);
        out.flush();
        if (!writeReport(options->junit, junitXml(exercise, results), err) || !writeReport(options->csv, resultsCsv(exercise, results), err))
            return kCannotGrade;
        for (const auto& r : results)
            if (r.passed() != r.cases.size()) return kSomeFailed;
        return kAllPassed;
    } catch (const CaseFileError& e) {
        err << e.what() << '\n';
        return kCannotGrade;
    }
}

}  // namespace comet
