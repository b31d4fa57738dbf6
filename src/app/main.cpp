// The program's entry: the window, or one of the two modes without one.
//   comet-workbench [--screenshot DIR]           the workbench window
//   comet-workbench --script FILE                a session script (FILE "-": standard input)
//   comet-workbench --run FILE [--max-steps N]   assemble and run one program
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/batch.hpp"
#include "app/script.hpp"
#include "workbench/editor_text.hpp"

#ifdef COMET_WITH_QT
#include "ui/qt/qt_main.hpp"
#endif

namespace {

constexpr int kUsageStatus = 2;

int usage() {
    std::cerr << "usage: comet-workbench [--screenshot DIR] | --script FILE | --run FILE [--max-steps N]\n";
    return kUsageStatus;
}

int startWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef COMET_WITH_QT
    return comet::runQtWindow(argc, argv);
#else
    std::cerr << "comet-workbench: built without the window; use --script or --run\n";
    return 1;
#endif
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return std::move(bytes).str();
}

int cannotRead(const std::string& path) {
    std::cerr << "comet-workbench: cannot read " << path << '\n';
    return kUsageStatus;
}

int runScriptFile(const std::string& path) {
    if (path == "-") return comet::runScript(std::cin, std::cout, std::cerr);
    std::ifstream file(path, std::ios::binary);
    if (!file) return cannotRead(path);
    return comet::runScript(file, std::cout, std::cerr);
}

// A step count of 1 or more.
std::optional<long> stepCount(const std::string& s) {
    if (s.empty() || s.find_first_not_of("0123456789") != std::string::npos || s.size() > 18) return std::nullopt;
    const long n = std::stol(s);
    if (n < 1) return std::nullopt;
    return n;
}

int runProgramFile(const std::string& path, long maxSteps) {
    const auto bytes = readFile(path);
    if (!bytes) return cannotRead(path);
    std::string_view utf8 = *bytes;
    if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);  // a byte order mark is no part of the source
    const comet::Text source = comet::editorText(comet::fromUtf8(utf8));
    return comet::runBatch(source, path, maxSteps, std::cin, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || (args.size() == 2 && args[0] == "--screenshot")) return startWindow(argc, argv);
    if (args.size() == 2 && args[0] == "--script") return runScriptFile(args[1]);
    if (args[0] == "--run" && args.size() == 2) return runProgramFile(args[1], comet::kDefaultMaxSteps);
    if (args[0] == "--run" && args.size() == 4 && args[2] == "--max-steps") {
        if (const auto n = stepCount(args[3])) return runProgramFile(args[1], *n);
    }
    return usage();
}
