// Grading a class of 1,000 generated submissions of a typical exercise (a countdown
// with input, ten cases, a reference solution), with one worker thread and with two:
// the wall time of the whole class, files read included. And reading a case file of
// 100,000 cases, whose every check must stay linear.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "grading/grade.hpp"

namespace comet {
namespace {

const std::string kSolution =
    "COUNT START\n"
    "      IN    BUF,ONE\n"
    "      LD    GR1,BUF\n"
    "LOOP  CPA   GR1,ZERO\n"
    "      JZE   DONE\n"
    "      ST    GR1,BUF\n"
    "      OUT   BUF,ONE\n"
    "      SUB   GR1,STEP\n"
    "      JMP   LOOP\n"
    "DONE  EXIT\n"
    "BUF   DS    1\n"
    "ONE   DC    1\n"
    "ZERO  DC    #3000\n"
    "STEP  DC    #0100\n"
    "      END\n";

const std::string kCases =
    "reference = 'reference.casl'\nmax-steps = 10000\n"
    "[[case]]\nname = 'three'\ninput = ['3']\noutput = ['3', '2', '1']\nlabels = { BUF = 0x3100 }\n"
    "[[case]]\nname = 'one'\ninput = ['1']\noutput = ['1']\n"
    "[[case]]\nname = 'zero'\ninput = ['0']\noutput = []\n"
    "[[case]]\nname = 'nine'\ninput = ['9']\noutput = ['9', '8', '7', '6', '5', '4', '3', '2', '1']\npoints = 2\n"
    "[[case]]\nname = 'two'\ninput = ['2']\noutput = ['2', '1']\nmatch = 'trim'\n"
    "[[case]]\nname = 'four'\ninput = ['4']\noutput = ['4', '3', '2', '1']\nhidden = true\n"
    "[[case]]\nname = 'five'\ninput = ['5']\noutput = ['5', '[0-9]', '3', '2', '1']\nmatch = 'regex'\n"
    "[[case]]\nname = 'six'\ninput = ['6']\noutput = ['6', '5', '4', '3', '2', '1']\nmemory = { 'ONE+1' = [0x3000, 0x0100] }\n"
    "[[case]]\nname = 'seven'\ninput = ['7']\noutput = ['7', '6', '5', '4', '3', '2', '1']\ntimeout = 2\n"
    "[[case]]\nname = 'eight'\ninput = ['8']\noutput = ['8', '7', '6', '5', '4', '3', '2', '1']\nregisters = { GR1 = 0x3000 }\n";

std::string replaced(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) s.replace(at, from.size(), to);
    return s;
}

// Submission i: most are right (in their own words); one in twenty each has an
// assembler error, an endless loop, a wrong output or an address error.
std::string submission(int i) {
    switch (i % 20) {
    case 0: return replaced(kSolution, "JMP   LOOP", "JMP   LOPP");
    case 1: return replaced(kSolution, "JZE   DONE\n", "JZE   DONE\n      JMP   LOOP\n");
    case 2: return replaced(kSolution, "ZERO  DC    #3000", "ZERO  DC    #2F00");
    case 3: return replaced(kSolution, "ST    GR1,BUF", "ST    GR1,BUF,GR1");
    default: return replaced(replaced(kSolution, "LOOP", "L" + std::to_string(i)), "DONE", "D" + std::to_string(i));
    }
}

// The class in a folder of its own, removed at exit.
struct GeneratedClass {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / ("comet_class_" + std::to_string(getpid()));
    std::vector<std::string> paths;
    Exercise exercise;

    explicit GeneratedClass(int size) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "reference.casl") << kSolution;
        for (int i = 0; i < size; ++i) {
            paths.push_back((folder / ("student" + std::to_string(i) + ".casl")).string());
            std::ofstream(paths.back()) << submission(i);
        }
        exercise = parseExercise(kCases, (folder / "cases.toml").string(), 10'000'000);
    }
    ~GeneratedClass() { std::filesystem::remove_all(folder); }
};

void BM_GradeClass(benchmark::State& state) {
    static const GeneratedClass kClass(1000);
    const Grader grader(kClass.exercise);
    const auto jobs = static_cast<unsigned>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(grader.gradeAll(kClass.paths, jobs));
    state.counters["submissions/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kClass.paths.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GradeClass)->ArgName("jobs")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_ReadCaseFile(benchmark::State& state) {
    std::string document;
    for (int i = 0; i < 100'000; ++i) document += "[[case]]\nname = 'case " + std::to_string(i) + "'\noutput = ['1']\n";
    for (auto _ : state) benchmark::DoNotOptimize(parseExercise(document, "cases.toml", 1000));
}
BENCHMARK(BM_ReadCaseFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace comet
