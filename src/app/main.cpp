// The program's entry: the window, or one of the modes without one.
//   comet-workbench [FILE | --screenshot DIR]              the workbench window, with FILE open
//   comet-workbench --script FILE [--max-steps N]          a session script (FILE "-": standard input)
//   comet-workbench --run FILE [--max-steps N] [--trace OUT.csv|OUT.json]
//                                                          assemble and run one program
//   comet-workbench --grade CASES [--junit FILE] [--csv FILE] [--feedback FOLDER] [--jobs N] FILE_OR_FOLDER...
//                                                          grade a class against an exercise's cases
//   comet-workbench --lsp                                  the language server, on standard input and output
//   comet-workbench --dap                                  the debug adapter, on standard input and output
//   comet-workbench --help                                 the usage and what each option does, on standard output
// Anywhere among them, --lang en|ja chooses the language of the workbench's own texts
// (by default the locale's: LC_ALL, LC_MESSAGES, LANG).

#include <algorithm>
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
#include "files/output_guard.hpp"
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
#ifdef COMET_WITH_EDITORS
#include "protocols/dap_adapter.hpp"
#include "protocols/lsp_server.hpp"
#endif

namespace {

using comet::ProcessStreams;

constexpr int kUsageStatus = 2;  // a malformed command line, or an input that is no source or script
constexpr std::string_view kUsage =
    "usage: comet-workbench [--lang en|ja] [FILE | --screenshot DIR] | --script FILE [--max-steps N] | --run FILE [--max-steps N] [--trace OUT]"
#ifdef COMET_WITH_GRADE
    " | --grade CASES [--junit FILE] [--csv FILE] [--feedback FOLDER] [--jobs N] FILE_OR_FOLDER..."
#endif
#ifdef COMET_WITH_EDITORS
    " | --lsp | --dap"
#endif
    " | --help\n";

// --help: the usage, then what each option does, in the chosen language.
struct HelpLine {
    std::string_view option;
    comet::Msg explanation;
    long long value = 0;  // the number the explanation names, if it names one
};

constexpr HelpLine kHelpLines[] = {
    {"FILE", comet::Msg::CliHelpFile},
    {"--screenshot DIR", comet::Msg::CliHelpScreenshot},
    {"--script FILE", comet::Msg::CliHelpScript},
    {"--run FILE", comet::Msg::CliHelpRun},
    {"--max-steps N", comet::Msg::CliHelpMaxSteps, comet::kDefaultMaxSteps},
    {"--trace OUT", comet::Msg::CliHelpTrace},
#ifdef COMET_WITH_GRADE
    {"--grade CASES", comet::Msg::CliHelpGrade},
    {"--junit FILE, --csv FILE", comet::Msg::CliHelpReports},
    {"--feedback FOLDER", comet::Msg::CliHelpFeedback},
    {"--jobs N", comet::Msg::CliHelpJobs, comet::kMaxJobs},
#endif
#ifdef COMET_WITH_EDITORS
    {"--lsp, --dap", comet::Msg::CliHelpEditors},
#endif
    {"--lang en|ja", comet::Msg::CliHelpLang},
    {"--help", comet::Msg::CliHelpHelp},
};

std::string helpText() {
    constexpr size_t kOptionWidth = 28;
    std::string text(kUsage);
    for (const HelpLine& line : kHelpLines) {
        std::string option = "  " + std::string(line.option);
        option.resize(std::max(kOptionWidth, option.size() + 2), ' ');
        text += option + comet::message(line.explanation, {std::to_string(line.value)}) + '\n';
    }
    return text;
}

int startWindow([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef COMET_WITH_QT
    return comet::runQtWindow(argc, argv);
#else
    std::cerr << "comet-workbench: " << comet::message(comet::Msg::CliWithoutWindow) << '\n';
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
    if (!n) return comet::message(comet::Msg::CliExpectedNumber, {"--max-steps", comet::quotedExcerpt(value), std::to_string(kMax)});
    options.maxSteps = static_cast<long>(*n);
    return std::nullopt;
}

OptionError setTrace(Options& options, std::string_view value) {
    if (value.empty()) return comet::message(comet::Msg::CliExpectedFileName, {"--trace"});
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

// A file that cannot be read, or made, before anything is run.
int cannotRead(const comet::FileError& error, ProcessStreams& io) {
    io.err() << "comet-workbench: " << error.message << '\n';
    return kUsageStatus;
}

int runScriptFile(const Options& options, ProcessStreams& io) {
    if (!options.tracePath.empty()) {
        io.err() << "comet-workbench: " << comet::message(comet::Msg::CliTraceGoesWithRun) << '\n' << kUsage;
        return kUsageStatus;
    }
    if (options.file == "-") return comet::runScript(std::cin, io.out(), io.err(), options.maxSteps);
    auto file = comet::readSourceFile(options.file);
    if (const auto* error = std::get_if<comet::FileError>(&file)) return cannotRead(*error, io);
    std::istringstream script(comet::toUtf8(std::get<comet::SourceFile>(file).text));
    return comet::runScript(script, io.out(), io.err(), options.maxSteps);
}

int runProgramFile(const Options& options, ProcessStreams& io) {
    if (!options.tracePath.empty()) {
        if (auto clash = comet::outputClash({{comet::message(comet::Msg::CliRoleProgram), options.file}}, {{"--trace", options.tracePath}})) {
            io.err() << "comet-workbench: " << comet::message(comet::Msg::CliNothingRun, {*clash}) << '\n';
            return kUsageStatus;
        }
    }
    const auto file = comet::readSourceFile(options.file);
    if (const auto* error = std::get_if<comet::FileError>(&file)) return cannotRead(*error, io);
    const comet::Text& source = std::get<comet::SourceFile>(file).text;
    if (options.tracePath.empty())
        return comet::runBatch(source, options.file, options.maxSteps, std::cin, io.out(), io.err());
    comet::TraceFile trace(options.tracePath);
    if (trace.error()) return cannotRead(*trace.error(), io);  // nothing is run for a trace that cannot be made
    const int status = comet::runBatch(source, options.file, options.maxSteps, std::cin, io.out(), io.err(), &trace);
    if (trace.finish()) return status;
    io.err() << "comet-workbench: " << comet::message(comet::Msg::CliTraceLost, {trace.error()->message}) << '\n';
    return comet::kOutputErrorStatus;
}

struct Mode {
    std::string_view name;
    int (*run)(const Options&, ProcessStreams&);
};

constexpr Mode kModes[] = {
    {"--script", runScriptFile},
    {"--run", runProgramFile},
};

#ifdef COMET_WITH_EDITORS
// The modes an editor starts, which talk to it on standard input and output.
struct Server {
    std::string_view name;
    int (*serve)(std::istream&, std::ostream&);
};

constexpr Server kServers[] = {
    {"--lsp", comet::serveLanguage},
    {"--dap", comet::serveDebugAdapter},
};
#endif

// ---- The command line -------------------------------------------------------------

int misuse(ProcessStreams& io, const std::string& problem) {
    io.err() << "comet-workbench: " << problem << '\n' << kUsage;
    return kUsageStatus;
}

const Option* optionNamed(std::string_view name) {
    for (const Option& o : kOptions)
        if (o.name == name) return &o;
    return nullptr;
}

bool namesMode(std::string_view arg) {
    for (const Mode& m : kModes)
        if (m.name == arg) return true;
    return arg == "--grade";
}

// "-" is a file (standard input); "--" ends the options, so that every later word is a file.
bool looksLikeOption(std::string_view arg) { return arg.size() > 1 && arg.front() == '-'; }

// Reads the words after `mode`: its options, each followed by its value and given once,
// and its one FILE. What is wrong, or nothing.
OptionError readModeArguments(std::string_view mode, const std::vector<std::string_view>& args, Options& options) {
    std::vector<std::string_view> files, given;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || !looksLikeOption(arg)) {
            files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == mode) return comet::message(comet::Msg::CliGivenTwice, {mode});
        if (namesMode(arg)) return comet::message(comet::Msg::CliSeparateCommands, {mode, arg});
        const Option* option = optionNamed(arg);
        if (option == nullptr) return comet::message(comet::Msg::CliUnknownOption, {comet::quotedExcerpt(arg)});
        if (std::find(given.begin(), given.end(), arg) != given.end()) return comet::message(comet::Msg::CliGivenTwice, {arg});
        given.push_back(arg);
        if (i + 1 == args.size()) return comet::message(comet::Msg::CliNeedsValue, {arg});
        if (auto error = option->set(options, args[++i])) return error;
    }
    if (files.empty()) return comet::message(comet::Msg::CliNeedsFile, {mode});
    if (files.size() > 1) return comet::message(comet::Msg::CliTakesOneFile, {mode, std::to_string(files.size())});
    options.file = std::string(files[0]);
    return std::nullopt;
}

int runMode(const std::vector<std::string_view>& args, ProcessStreams& io) {
    if (args[0] == "--help" || args[0] == "-h") {
        io.out() << helpText();
        return 0;
    }
#ifdef COMET_WITH_GRADE
    if (args[0] == "--grade") return comet::gradeCommand({args.begin() + 1, args.end()}, io.out(), io.err());
#endif
#ifdef COMET_WITH_EDITORS
    for (const Server& server : kServers) {
        if (server.name != args[0]) continue;
        if (args.size() > 1) return misuse(io, comet::message(comet::Msg::CliTakesNoArguments, {server.name}));
        return server.serve(std::cin, io.out());
    }
#endif
    for (const Mode& mode : kModes) {
        if (mode.name != args[0]) continue;
        Options options;
        if (auto error = readModeArguments(mode.name, {args.begin() + 1, args.end()}, options)) return misuse(io, *error);
        return mode.run(options, io);
    }
    return misuse(io, comet::message(comet::Msg::CliUnknownOption, {comet::quotedExcerpt(args[0])}));
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
        comet::fixLanguage(*language);
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
