// The program's entry: the window, or one of the modes without one.
//   comet-workbench [FILE | --screenshot DIR]              the workbench window, with FILE open
//   comet-workbench --script FILE [--max-steps N]          a session script (FILE "-": standard input)
//   comet-workbench --run FILE [--max-steps N] [--trace OUT.csv|OUT.json]
//                                                          assemble and run one program
//   comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--jobs N] FILE_OR_FOLDER...
//                                                          grade a class against an exercise's cases
//   comet-workbench --help                                 the usage, on standard output
// Anywhere among them, --lang en|ja chooses the language of the workbench's own texts
// (by default the locale's: LC_ALL, LC_MESSAGES, LANG).
#include <iostream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/arguments.hpp"
#include "app/batch.hpp"
#include "files/escape.hpp"
#include "app/process_output.hpp"
#include "app/script.hpp"
#include "app/trace_export.hpp"
#include "session/headless.hpp"
#include "files/source_file.hpp"
#include "workbench/messages.hpp"

#ifdef COMET_WITH_QT
#include "qt/qt_main.hpp"
#endif
#ifdef COMET_WITH_GRADE
#include "app/grade_command.hpp"
#endif

namespace {

using comet::ProcessStreams;

constexpr int kUsageStatus = 2;  // a malformed command line, or an input that is no source or script
constexpr std::string_view kUsage =
    "usage: comet-workbench [FILE | --screenshot DIR] | --script FILE [--max-steps N] | --run FILE [--max-steps N] [--trace OUT]"
#ifdef COMET_WITH_GRADE
    " | --grade CASES [--junit FILE] [--csv FILE] [--jobs N] FILE_OR_FOLDER..."
#endif
    " | --help\n";

int startWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef COMET_WITH_QT
    return comet::runQtWindow(argc, argv);
#else
    std::cerr << "comet-workbench: built without the window; use --script or --run\n";
    return 1;
#endif
}

// ---- Options ----------------------------------------------------------------------

struct Options {
    std::string file;                          // the mode's FILE
    long maxSteps = comet::kDefaultMaxSteps;  // steps of a Run Mode press before it stops
    std::string tracePath;                     // --run's trace file; "" for none
};

using OptionError = std::optional<std::string>;  // what is wrong with an option's value

OptionError setMaxSteps(Options& options, std::string_view value) {
    constexpr long kMax = std::numeric_limits<long>::max();
    const auto n = comet::numberIn(value, 1, kMax);
    if (!n) return "--max-steps " + comet::quotedExcerpt(value) + ": expected a whole number from 1 to " + std::to_string(kMax);
    options.maxSteps = static_cast<long>(*n);
    return std::nullopt;
}

OptionError setTrace(Options& options, std::string_view value) {
    options.tracePath = value;
    return std::nullopt;
}

struct Option {
    std::string_view name;
    OptionError (*set)(Options&, std::string_view value);
};

// The options every mode takes after its FILE, each followed by its value.
constexpr Option kOptions[] = {
    {"--max-steps", setMaxSteps},
    {"--trace", setTrace},
};

// ---- Modes ------------------------------------------------------------------------

int cannotRead(const comet::FileError& error, ProcessStreams& io) {
    io.err() << "comet-workbench: " << error.message << '\n';
    return kUsageStatus;
}

int runScriptFile(const Options& options, ProcessStreams& io) {
    if (!options.tracePath.empty()) {
        io.err() << "comet-workbench: --trace goes with --run\n" << kUsage;
        return kUsageStatus;
    }
    if (options.file == "-") return comet::runScript(std::cin, io.out(), io.err(), options.maxSteps);
    auto file = comet::readSourceFile(options.file);
    if (const auto* error = std::get_if<comet::FileError>(&file)) return cannotRead(*error, io);
    std::istringstream script(comet::toUtf8(std::get<comet::SourceFile>(file).text));
    return comet::runScript(script, io.out(), io.err(), options.maxSteps);
}

int runProgramFile(const Options& options, ProcessStreams& io) {
    const auto file = comet::readSourceFile(options.file);
    if (const auto* error = std::get_if<comet::FileError>(&file)) return cannotRead(*error, io);
    const comet::Text& source = std::get<comet::SourceFile>(file).text;
    if (options.tracePath.empty())
        return comet::runBatch(source, options.file, options.maxSteps, std::cin, io.out(), io.err());
    comet::TraceFile trace(options.tracePath);
    const int status = trace.problem().empty()
                           ? comet::runBatch(source, options.file, options.maxSteps, std::cin, io.out(), io.err(), &trace)
                           : kUsageStatus;
    if (trace.finish()) return status;
    io.err() << "comet-workbench: cannot write " << options.tracePath << ": " << trace.problem() << '\n';
    return kUsageStatus;
}

struct Mode {
    std::string_view name;
    int (*run)(const Options&, ProcessStreams&);
};

constexpr Mode kModes[] = {
    {"--script", runScriptFile},
    {"--run", runProgramFile},
};

// ---- The command line -------------------------------------------------------------

int misuse(ProcessStreams& io, const std::string& problem) {
    io.err() << "comet-workbench: " << problem << '\n' << kUsage;
    return kUsageStatus;
}

// Reads the options after the mode's FILE; what is wrong, or nothing.
OptionError readOptions(const std::vector<std::string_view>& args, Options& options) {
    for (size_t i = 0; i < args.size(); i += 2) {
        const Option* option = nullptr;
        for (const Option& o : kOptions) {
            if (o.name == args[i]) option = &o;
        }
        if (option == nullptr) return "unknown option " + comet::quotedExcerpt(args[i]);
        if (i + 1 == args.size()) return std::string(args[i]) + " needs a value";
        if (auto error = option->set(options, args[i + 1])) return error;
    }
    return std::nullopt;
}

int runMode(const std::vector<std::string_view>& args, ProcessStreams& io) {
    if (args[0] == "--help" || args[0] == "-h") {
        io.out() << kUsage;
        return 0;
    }
#ifdef COMET_WITH_GRADE
    if (args[0] == "--grade") return comet::gradeCommand({args.begin() + 1, args.end()}, io.out(), io.err());
#endif
    for (const Mode& mode : kModes) {
        if (mode.name != args[0]) continue;
        if (args.size() < 2) return misuse(io, std::string(mode.name) + " needs a FILE");
        Options options;
        options.file = std::string(args[1]);
        if (auto error = readOptions({args.begin() + 2, args.end()}, options)) return misuse(io, *error);
        return mode.run(options, io);
    }
    return misuse(io, "unknown option " + comet::quotedExcerpt(args[0]));
}

// No arguments, one that is not an option (a file to open), or --screenshot DIR.
bool opensWindow(const std::vector<std::string_view>& args) {
    if (args.empty()) return true;
    if (args.size() == 1) return !args[0].starts_with('-');
    return args.size() == 2 && args[0] == "--screenshot";
}

// Takes every "--lang NAME" out of the arguments and sets the language it names; the
// name that is no language, or nothing.
std::optional<std::string> takeLanguage(std::vector<char*>& argv) {
    for (size_t i = 1; i < argv.size();) {
        if (std::string_view(argv[i]) != "--lang") {
            ++i;
            continue;
        }
        const std::string name = i + 1 < argv.size() ? argv[i + 1] : "";
        const auto language = comet::languageNamed(name);
        if (!language) return name;
        comet::setLanguage(*language);
        argv.erase(argv.begin() + static_cast<long>(i), argv.begin() + static_cast<long>(i) + 2);
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> kept(argv, argv + argc);
    const std::optional<std::string> unknownLanguage = takeLanguage(kept);
    const std::vector<std::string_view> args(kept.begin() + 1, kept.end());
    if (!unknownLanguage && opensWindow(args)) return startWindow(static_cast<int>(kept.size()), kept.data());
    comet::holdStandardDescriptors();
    ProcessStreams io;
    if (unknownLanguage) return io.finish(misuse(io, comet::message(comet::Msg::UnknownLanguage, {comet::quotedExcerpt(*unknownLanguage)})));
    return io.finish(runMode(args, io));
}
