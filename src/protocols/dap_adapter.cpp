#include "protocols/dap_adapter.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string_view>
#include <thread>

#include "assembler/table.hpp"
#include "files/source_file.hpp"
#include "machine/hex.hpp"
#include "protocols/framing.hpp"
#include "protocols/json_rpc.hpp"
#include "session/debugging.hpp"
#include "session/language.hpp"
#include "session/source_lines.hpp"
#include "session/stepping.hpp"

namespace comet {
namespace {

using nlohmann::json;

constexpr int kThreadId = 1;  // the machine's one thread of control
constexpr uint64_t kStepsBeforeEnding = 1'000'000;  // instructions a run goes on once the client has left
enum VariablesReference : int { kRegisters = 1, kLabels = 2 };

// The texts this adapter says itself.
constexpr std::string_view kNotInitialized = "initialize comes first";
constexpr std::string_view kNoProgram = "no program has been launched";
constexpr std::string_view kLaunchedAlready = "a program has been launched already";
constexpr std::string_view kNoProgramArgument = "launch needs \"program\": the path of a source file";
constexpr std::string_view kAssemblyFailed = "the program does not assemble:";
constexpr std::string_view kNotEvaluated = "not a label, register or address";
constexpr std::string_view kNoWordsOnLine = "the line makes no words";

// ---- The messages from the client, read on a thread of their own ----------------

// Reads messages as they come, so that a pause, or the end of the session, can reach a
// program that is running.
class Inbox {
public:
    explicit Inbox(std::istream& in) : shared_(std::make_shared<Shared>()) {
        std::thread([shared = shared_, &in] { readAll(*shared, in); }).detach();
    }
    MessageReader::Read pop() {
        std::unique_lock lock(shared_->mutex);
        shared_->arrived.wait(lock, [&] { return !shared_->messages.empty(); });
        MessageReader::Read read = std::move(shared_->messages.front());
        shared_->messages.pop_front();
        return read;
    }
    bool pauseRequested() { return shared_->pause.exchange(false); }
    bool endRequested() const { return shared_->end; }

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable arrived;
        std::deque<MessageReader::Read> messages;
        std::atomic<bool> pause{false};
        std::atomic<bool> end{false};  // a disconnect or terminate has come
    };
    std::shared_ptr<Shared> shared_;

    static json commandOf(const std::string& body) {
        const auto message = parsedBody(body);
        return message && message->is_object() ? message->value("command", json()) : json();
    }
    static void readAll(Shared& shared, std::istream& in) {
        MessageReader reader(in);
        while (true) {
            MessageReader::Read read = reader.next();
            const bool ended = read.status == MessageReader::Read::End;
            const json command = read.status == MessageReader::Read::Message ? commandOf(read.body) : json();
            if (command == "pause") shared.pause = true;
            if (command == "disconnect" || command == "terminate") shared.end = true;
            {
                std::lock_guard lock(shared.mutex);
                shared.messages.push_back(std::move(read));
            }
            shared.arrived.notify_one();
            if (ended) return;
        }
    }
};

// ---- The display: IN from the launch's lines, OUT and messages to the client ----

class AdapterDisplay : public SilentDisplay {
public:
    std::deque<Text> input;                    // the lines IN reads, then empty ones
    std::function<void(const Text&)> onOutput;  // OUT's line
    std::optional<Text> message;               // the engine's last message, until taken

    void messageBox(const Text& text, const Text&) override { message = text; }
    bool okCancelBox(const Text& text, const Text&) override {
        onOutput(visibleText(text) + u"\n");
        return true;
    }
    Text inputBox(const Text&) override {
        if (input.empty()) return {};
        Text line = std::move(input.front());
        input.pop_front();
        return line;
    }
};

bool hasBreakpoint(const Workbench& wb, int32_t line) {
    const auto& set = wb.debug.breakpoints.set;
    return std::any_of(set.begin(), set.end(), [line](const Breakpoint& b) { return b.line == line; });
}

std::deque<Text> linesOfText(const Text& text) {
    std::deque<Text> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
        lines.emplace_back(text.substr(start, end - start));
        start = end + (text.substr(end).starts_with(u"\r\n") ? 2 : 1);
    }
    return lines;
}

Text wordText(int32_t value) { return u"#" + cnvHex4(value) + u" (" + fromAscii(std::to_string(signed16(value))) + u")"; }

Text flagsText(int32_t fr) {
    if (fr == kFRZero) return u"zero";
    if (fr == kFRMinus) return u"minus";
    if (fr == kFRPlus) return u"plus";
    return u"other";
}

// An address as an expression or a memory reference gives it: "#001A" or "26".
std::optional<int32_t> addressIn(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const bool hexadecimal = text.front() == '#';
    try {
        size_t used = 0;
        const long value = std::stol(text.substr(hexadecimal ? 1 : 0), &used, hexadecimal ? 16 : 10);
        if (used + (hexadecimal ? 1 : 0) != text.size() || !isProgramAddress(value)) return std::nullopt;
        return static_cast<int32_t>(value);
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

std::string base64(const std::string& bytes) {
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = 0;
        for (size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k) out += k <= n ? kDigits[(v >> (18 - 6 * k)) & 0x3Fu] : '=';
    }
    return out;
}

// ---- The adapter ------------------------------------------------------------------

class DebugAdapter {
public:
    DebugAdapter(std::ostream& out, Inbox& inbox) : out_(out), inbox_(inbox) {
        display_.onOutput = [this](const Text& text) { event("output", {{"category", "stdout"}, {"output", utf8(text)}}); };
    }

    // Handles one request; false once the client has disconnected.
    bool handle(const json& request);
    void malformed(const std::string& problem) { respondError(json::object(), problem); }

private:
    using Handler = void (DebugAdapter::*)(const json& request, const json& arguments);

    std::ostream& out_;
    Inbox& inbox_;
    int seq_ = 0;
    bool initialized_ = false;
    bool stopOnEntry_ = false;
    bool faulted_ = false;  // the last stop was a fault: going on ends the program
    bool ended_ = false;
    uint64_t stepsOfCommand_ = 0;  // instructions the command under way has run
    std::string program_;
    ProgramOutline outline_;
    AdapterDisplay display_;
    std::unique_ptr<Workbench> wb_;

    // ---- Sending ----
    void send(json message) {
        message["seq"] = ++seq_;
        writeMessage(out_, message);
    }
    void respond(const json& request, json body = json::object()) {
        send({{"type", "response"}, {"request_seq", request.value("seq", 0)}, {"command", request.value("command", "")}, {"success", true}, {"body", std::move(body)}});
    }
    void respondError(const json& request, std::string_view message) {
        send({{"type", "response"}, {"request_seq", request.value("seq", 0)}, {"command", request.value("command", "")}, {"success", false}, {"message", message}});
    }
    void event(const char* name, json body = json::object()) { send({{"type", "event"}, {"event", name}, {"body", std::move(body)}}); }
    void stopped(const char* reason, const Text& explanation = {}) {
        json body = {{"reason", reason}, {"threadId", kThreadId}, {"allThreadsStopped", true}};
        if (!explanation.empty()) body["description"] = body["text"] = utf8(explanation);
        event("stopped", std::move(body));
    }

    // ---- Running ----
    // After each instruction of a command. The requests of a session can all have come
    // before a run begins (a client that sends them at once, a transcript): the end of the
    // session stops only a run that has gone on for long, so that one that ends by itself
    // still does.
    bool stopNow() {
        return display_.message.has_value() || inbox_.pauseRequested() ||
               (inbox_.endRequested() && ++stepsOfCommand_ > kStepsBeforeEnding);
    }
    void report(RunStop stop);
    void goOn(RunStop (*command)(Workbench&, const StopNow&));
    void endProgram();

    // ---- Requests ----
    void initialize(const json& request, const json&);
    void launch(const json& request, const json& arguments);
    void setBreakpoints(const json& request, const json& arguments);
    void configurationDone(const json& request, const json&);
    void threads(const json& request, const json&) { respond(request, {{"threads", json::array({{{"id", kThreadId}, {"name", "COMET"}}})}}); }
    void continueRequest(const json& request, const json&) {
        respond(request, {{"allThreadsContinued", true}});
        goOn(runToStop);
    }
    void next(const json& request, const json&) {
        respond(request);
        goOn([](Workbench& wb, const StopNow&) { return stepInstruction(wb); });
    }
    void stepOut(const json& request, const json&) {
        respond(request);
        goOn(stepOutOfCall);
    }
    void stepBack(const json& request, const json&) {
        respond(request);
        faulted_ = false;
        report(stepBackOne(*wb_) == RunStop::Step ? RunStop::Step : RunStop::Start);
    }
    void reverseContinue(const json& request, const json&) {
        respond(request);
        faulted_ = false;
        report(runBackToBreakpoint(*wb_));
    }
    void pause(const json& request, const json&) {
        inbox_.pauseRequested();  // a running program stopped already, when the request came
        respond(request);
    }
    void stackTrace(const json& request, const json&);
    void scopes(const json& request, const json&);
    void variables(const json& request, const json& arguments);
    void readMemory(const json& request, const json& arguments);
    void evaluate(const json& request, const json& arguments);
    void disconnect(const json& request, const json&) {
        respond(request);
        ended_ = true;
    }

    struct Command {
        std::string_view name;
        Handler handler;
        bool needsProgram;
    };
    static constexpr Command kCommands[] = {
        {"initialize", &DebugAdapter::initialize, false},
        {"launch", &DebugAdapter::launch, false},
        {"setBreakpoints", &DebugAdapter::setBreakpoints, true},
        {"configurationDone", &DebugAdapter::configurationDone, true},
        {"threads", &DebugAdapter::threads, false},
        {"continue", &DebugAdapter::continueRequest, true},
        {"next", &DebugAdapter::next, true},
        {"stepIn", &DebugAdapter::next, true},
        {"stepOut", &DebugAdapter::stepOut, true},
        {"stepBack", &DebugAdapter::stepBack, true},
        {"reverseContinue", &DebugAdapter::reverseContinue, true},
        {"pause", &DebugAdapter::pause, true},
        {"stackTrace", &DebugAdapter::stackTrace, true},
        {"scopes", &DebugAdapter::scopes, true},
        {"variables", &DebugAdapter::variables, true},
        {"readMemory", &DebugAdapter::readMemory, true},
        {"evaluate", &DebugAdapter::evaluate, true},
        {"disconnect", &DebugAdapter::disconnect, false},
        {"terminate", &DebugAdapter::disconnect, false},
    };
};

void DebugAdapter::initialize(const json& request, const json&) {
    initialized_ = true;
    respond(request, {{"supportsConfigurationDoneRequest", true},
                      {"supportsStepBack", true},
                      {"supportsReadMemoryRequest", true},
                      {"supportsEvaluateForHovers", true}});
}

void DebugAdapter::launch(const json& request, const json& arguments) {
    if (wb_) return respondError(request, kLaunchedAlready);
    if (!arguments.contains("program") || !arguments["program"].is_string()) return respondError(request, kNoProgramArgument);
    program_ = arguments["program"].get<std::string>();
    const auto file = readSourceFile(program_);
    if (const auto* error = std::get_if<FileError>(&file)) return respondError(request, error->message);
    if (arguments.contains("inputFile")) {
        const auto input = readSourceFile(arguments["inputFile"].get<std::string>());
        if (const auto* error = std::get_if<FileError>(&input)) return respondError(request, error->message);
        display_.input = linesOfText(std::get<SourceFile>(input).text);
    }
    for (const json& line : arguments.value("input", json::array())) display_.input.push_back(textOf(line));
    stopOnEntry_ = arguments.value("stopOnEntry", false);
    const Text& source = std::get<SourceFile>(file).text;
    auto wb = std::make_unique<Workbench>(display_);
    if (!startDebugRun(*wb, source)) {
        std::string text(kAssemblyFailed);
        for (const Diagnostic& d : wb->diagnostics) text += "\n" + locatedText(program_, d);
        return respondError(request, text);
    }
    wb_ = std::move(wb);
    outline_ = outlineOf(source);
    respond(request);
    event("initialized");
}

void DebugAdapter::setBreakpoints(const json& request, const json& arguments) {
    Workbench& wb = *wb_;
    while (!wb.debug.breakpoints.set.empty()) userTogglesBreakpoint(wb, wb.debug.breakpoints.set.front().line);
    json answered = json::array();
    for (const json& b : arguments.value("breakpoints", json::array())) {
        const auto line = b.at("line").get<int32_t>();
        const bool words = addressOfLine(wb, line) >= 0;
        if (words && !hasBreakpoint(wb, line)) userTogglesBreakpoint(wb, line);  // a line asked for twice stays set
        json one = {{"verified", words}, {"line", line}};
        if (!words) one["message"] = kNoWordsOnLine;
        answered.push_back(std::move(one));
    }
    respond(request, {{"breakpoints", std::move(answered)}});
}

void DebugAdapter::configurationDone(const json& request, const json&) {
    respond(request);
    if (stopOnEntry_) return stopped("entry");
    goOn(runToStop);
}

void DebugAdapter::endProgram() {
    event("exited", {{"exitCode", exitStatusOf(*wb_).value_or(kRanExit)}});
    event("terminated");
    ended_ = true;
}

void DebugAdapter::goOn(RunStop (*command)(Workbench&, const StopNow&)) {
    if (faulted_) return endProgram();
    stepsOfCommand_ = 0;
    report(command(*wb_, [this] { return stopNow(); }));
}

void DebugAdapter::report(RunStop stop) {
    const std::optional<Text> message = std::exchange(display_.message, std::nullopt);
    switch (stop) {
    case RunStop::Exited: return endProgram();
    case RunStop::Fault:
        faulted_ = true;
        return stopped("exception", wb_->run.haltedBy == Halt::EndlessLoop ? debugStatusText(*wb_) : message.value_or(Text()));
    case RunStop::Breakpoint: return stopped("breakpoint");
    case RunStop::Start: return stopped("entry");
    case RunStop::Step:
    case RunStop::Interrupted: break;
    }
    if (message) return stopped("exception", *message);  // an engine error that lets the program go on
    stopped(stop == RunStop::Step ? "step" : "pause");
}

// The PC's frame, then one for each call on the stack, at the line of its CALL.
void DebugAdapter::stackTrace(const json& request, const json&) {
    const Workbench& wb = *wb_;
    const json source = {{"name", program_.substr(program_.find_last_of('/') + 1)}, {"path", program_}};
    const auto frame = [&](int id, int32_t address, const std::string& name) {
        const int32_t line = sourceLineOfAddress(wb, address);
        json f = {{"id", id}, {"name", name}, {"line", line}, {"column", line > 0 ? 1 : 0},
                  {"instructionPointerReference", "#" + utf8(cnvHex4(address))}};
        if (line > 0) f["source"] = source;  // a word no statement made has no place in the source
        return f;
    };
    json frames = json::array({frame(1, wb.regs.pc, "#" + utf8(cnvHex4(wb.regs.pc)))});
    for (const int32_t call : callsOnStack(wb))
        frames.push_back(frame(static_cast<int>(frames.size()) + 1, call, "CALL at #" + utf8(cnvHex4(call))));
    const auto total = frames.size();
    respond(request, {{"stackFrames", std::move(frames)}, {"totalFrames", total}});
}

void DebugAdapter::scopes(const json& request, const json&) {
    respond(request, {{"scopes", json::array({{{"name", "Registers"}, {"variablesReference", kRegisters}, {"expensive", false}},
                                              {{"name", "Labels"}, {"variablesReference", kLabels}, {"expensive", false}}})}});
}

void DebugAdapter::variables(const json& request, const json& arguments) {
    const Workbench& wb = *wb_;
    json found = json::array();
    const auto variable = [&](const Text& name, const Text& value) {
        found.push_back({{"name", utf8(name)}, {"value", utf8(value)}, {"variablesReference", 0}});
    };
    if (arguments.at("variablesReference").get<int>() == kRegisters) {
        for (int r = 0; r < kRegFR; ++r) variable(fromAscii(kRegisterNames[static_cast<size_t>(r)]), wordText(wb.regs.r[static_cast<size_t>(r)]));
        const int32_t fr = wb.regs.r[kRegFR];
        variable(u"FR", u"#" + cnvHex4(fr) + u" (" + flagsText(fr) + u")");
        variable(u"PC", u"#" + cnvHex4(wb.regs.pc));
    } else {
        for (const SourceWord& label : outline_.labels) {
            const auto address = labelAddress(wb, label.text);
            if (!address || definitionOf(outline_, label.text)->line != label.line || !isProgramAddress(*address)) continue;
            variable(label.text, wordText(wb.memory.cell(*address + 1).value));
            found.back()["memoryReference"] = "#" + utf8(cnvHex4(*address));
        }
    }
    respond(request, {{"variables", std::move(found)}});
}

// Memory as bytes: each word big-endian, word a at bytes 2a and 2a + 1.
void DebugAdapter::readMemory(const json& request, const json& arguments) {
    const auto base = addressIn(arguments.at("memoryReference").get<std::string>());
    if (!base) return respondError(request, kNotEvaluated);
    constexpr int64_t kBytes = 2 * kAddressCount;  // an offset beyond these reaches nothing either way
    const int64_t first = int64_t{*base} * 2 + std::clamp(arguments.value("offset", int64_t{0}), -kBytes, kBytes);
    const int64_t count = std::clamp(arguments.at("count").get<int64_t>(), int64_t{0}, kBytes);
    std::string bytes;
    int64_t unreadable = 0;
    for (int64_t b = std::max<int64_t>(first, 0); b < first + count; ++b) {
        if (b >= kBytes) {
            unreadable = first + count - b;
            break;
        }
        bytes += static_cast<char>(wordByte(wb_->memory.cell(b / 2 + 1).value, b % 2 == 0 ? 1 : 0));
    }
    respond(request, {{"address", std::to_string(std::max<int64_t>(first, 0))}, {"data", base64(bytes)}, {"unreadableBytes", unreadable}});
}

void DebugAdapter::evaluate(const json& request, const json& arguments) {
    const Workbench& wb = *wb_;
    const std::string expression = arguments.at("expression").get<std::string>();
    const Text name = fromUtf8(expression);
    if (const ReservedWord* r = reservedWordNamed(name); r && r->cls == OpClass::REG)
        return respond(request, {{"result", utf8(wordText(wb.regs.r[static_cast<size_t>(r->code)]))}, {"variablesReference", 0}});
    auto address = labelAddress(wb, name);
    if (!address) address = addressIn(expression);
    if (!address || !isProgramAddress(*address)) return respondError(request, kNotEvaluated);
    respond(request, {{"result", utf8(wordText(wb.memory.cell(*address + 1).value))},
                      {"variablesReference", 0},
                      {"memoryReference", "#" + utf8(cnvHex4(*address))}});
}

bool DebugAdapter::handle(const json& request) {
    if (!request.is_object() || request.value("type", "") != "request" || !request.contains("command") ||
        !request["command"].is_string()) {
        respondError(request.is_object() ? request : json::object(), "not a request");
        return true;
    }
    const std::string command = request["command"].get<std::string>();
    const json arguments = request.value("arguments", json::object());
    for (const Command& c : kCommands) {
        if (c.name != command) continue;
        if (!initialized_ && command != "initialize") respondError(request, kNotInitialized);
        else if (c.needsProgram && (!wb_ || ended_)) respondError(request, kNoProgram);
        else {
            try {
                (this->*c.handler)(request, arguments);
            } catch (const json::exception& e) {
                respondError(request, std::string("invalid arguments: ") + e.what());
            }
        }
        return !(ended_ && (command == "disconnect" || command == "terminate"));
    }
    respondError(request, "unknown command " + command);
    return true;
}

}  // namespace

int serveDebugAdapter(std::istream& in, std::ostream& out) {
    Inbox inbox(in);
    DebugAdapter adapter(out, inbox);
    while (true) {
        const MessageReader::Read read = inbox.pop();
        if (read.status == MessageReader::Read::End) return 1;
        if (read.status == MessageReader::Read::Malformed) {
            adapter.malformed(read.problem);
            continue;
        }
        const auto request = parsedBody(read.body);
        if (!request) {
            adapter.malformed("a message that is no JSON");
            continue;
        }
        if (!adapter.handle(*request)) return 0;
    }
}

}  // namespace comet
