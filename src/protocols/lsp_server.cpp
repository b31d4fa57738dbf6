#include "protocols/lsp_server.hpp"

#include <map>
#include <memory>
#include <ostream>
#include <string_view>

#include "protocols/framing.hpp"
#include "protocols/json_rpc.hpp"
#include "files/source_text.hpp"
#include "session/actions.hpp"
#include "session/language.hpp"
#include "session/problems.hpp"

namespace comet {
namespace {

using nlohmann::json;

constexpr std::string_view kServerName = "comet-workbench";

// The protocol's kinds and severities this server uses.
constexpr int kSeverityError = 1, kSeverityWarning = 2;
constexpr int kSymbolConstant = 14;
constexpr int kTextDocumentSyncFull = 1;
constexpr int kCompletionKind[] = {/*Operation*/ 24, /*Directive*/ 14, /*Register*/ 6, /*Label*/ 18};

// An open document: its text, read as the assembler reads it, and assembled.
struct Document {
    Text text;
    ProgramOutline outline;
    SilentDisplay display;
    Workbench wb{display};

    explicit Document(Text source) : text(std::move(source)), outline(outlineOf(text)) {
        startWorkbench(wb);
        assembleText(wb, editorText(text));  // the assembler reads lines ended by CR LF
    }
};

json position(int32_t line, int32_t column) { return {{"line", line}, {"character", column}}; }

json rangeOf(const SourceWord& w) { return {{"start", position(w.line, w.column)}, {"end", position(w.line, w.column + w.length)}}; }

json locationOf(const std::string& uri, const SourceWord& w) { return {{"uri", uri}, {"range", rangeOf(w)}}; }

class LanguageServer {
public:
    explicit LanguageServer(std::ostream& out) : out_(out) {}

    // Handles one message; false once the client said exit.
    bool handle(const json& message);
    int exitStatus() const { return shutdown_ ? 0 : 1; }

private:
    using Handler = json (LanguageServer::*)(const json& params);

    std::ostream& out_;
    bool initialized_ = false;
    bool shutdown_ = false;
    std::map<std::string, std::unique_ptr<Document>> documents_;

    void send(const json& message) { writeMessage(out_, message); }
    void respond(const json& id, json result) { send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}); }
    void notify(const char* method, json params) { send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}); }

    const Document* document(const json& params) const {
        const auto found = documents_.find(params.at("textDocument").at("uri").get<std::string>());
        return found == documents_.end() ? nullptr : found->second.get();
    }
    const SourceWord* wordAtPosition(const Document& d, const json& params) const {
        const json& p = params.at("position");
        return wordAt(d.outline, p.at("line").get<int32_t>(), p.at("character").get<int32_t>());
    }
    void open(const std::string& uri, Text text) {
        auto& d = documents_[uri] = std::make_unique<Document>(std::move(text));
        notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", lspDiagnostics(d->wb)}});
    }

    // ---- Requests ----
    json initialize(const json&);
    json shutdown(const json&) {
        shutdown_ = true;
        return nullptr;
    }
    json hover(const json& params);
    json definition(const json& params);
    json references(const json& params);
    json documentSymbol(const json& params);
    json completion(const json& params);
    json formatting(const json& params);

    // ---- Notifications ----
    json didOpen(const json& params) {
        open(params.at("textDocument").at("uri").get<std::string>(), textOf(params.at("textDocument").at("text")));
        return nullptr;
    }
    json didChange(const json& params) {
        const json& changes = params.at("contentChanges");
        if (!changes.empty()) open(params.at("textDocument").at("uri").get<std::string>(), textOf(changes.back().at("text")));
        return nullptr;
    }
    json didClose(const json& params) {
        const std::string uri = params.at("textDocument").at("uri").get<std::string>();
        documents_.erase(uri);
        notify("textDocument/publishDiagnostics", {{"uri", uri}, {"diagnostics", json::array()}});
        return nullptr;
    }
    json ignore(const json&) { return nullptr; }

    struct Method {
        std::string_view name;
        Handler handler;
    };
    static constexpr Method kRequests[] = {
        {"initialize", &LanguageServer::initialize},
        {"shutdown", &LanguageServer::shutdown},
        {"textDocument/hover", &LanguageServer::hover},
        {"textDocument/definition", &LanguageServer::definition},
        {"textDocument/references", &LanguageServer::references},
        {"textDocument/documentSymbol", &LanguageServer::documentSymbol},
        {"textDocument/completion", &LanguageServer::completion},
        {"textDocument/formatting", &LanguageServer::formatting},
    };
    static constexpr Method kNotifications[] = {
        {"initialized", &LanguageServer::ignore},
        {"textDocument/didOpen", &LanguageServer::didOpen},
        {"textDocument/didChange", &LanguageServer::didChange},
        {"textDocument/didClose", &LanguageServer::didClose},
    };

    void request(const json& id, const std::string& method, const json& params);
    void notification(const std::string& method, const json& params);
};

json LanguageServer::initialize(const json&) {
    initialized_ = true;
    const json capabilities = {
        {"textDocumentSync", {{"openClose", true}, {"change", kTextDocumentSyncFull}}},
        {"hoverProvider", true},
        {"definitionProvider", true},
        {"referencesProvider", true},
        {"documentSymbolProvider", true},
        {"completionProvider", json::object()},
        {"documentFormattingProvider", true},
    };
    return {{"capabilities", capabilities}, {"serverInfo", {{"name", kServerName}}}};
}

json LanguageServer::hover(const json& params) {
    const Document* d = document(params);
    const SourceWord* word = d ? wordAtPosition(*d, params) : nullptr;
    const auto text = word ? hoverText(d->outline, d->wb, *word) : std::nullopt;
    if (!text) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", utf8(*text)}}}, {"range", rangeOf(*word)}};
}

json LanguageServer::definition(const json& params) {
    const Document* d = document(params);
    const SourceWord* word = d ? wordAtPosition(*d, params) : nullptr;
    const auto defined = word ? definitionOf(d->outline, word->text) : std::nullopt;
    if (!defined) return nullptr;
    return locationOf(params.at("textDocument").at("uri").get<std::string>(), *defined);
}

json LanguageServer::references(const json& params) {
    const Document* d = document(params);
    const SourceWord* word = d ? wordAtPosition(*d, params) : nullptr;
    json found = json::array();
    if (!word || reservedWordNamed(word->text)) return found;
    const bool withDefinitions = params.value(json::json_pointer("/context/includeDeclaration"), true);
    const std::string uri = params.at("textDocument").at("uri").get<std::string>();
    for (const SourceWord& w : placesOfLabel(d->outline, word->text, withDefinitions)) found.push_back(locationOf(uri, w));
    return found;
}

json LanguageServer::documentSymbol(const json& params) {
    const Document* d = document(params);
    json symbols = json::array();
    if (!d) return symbols;
    for (const SourceWord& w : d->outline.labels)
        symbols.push_back({{"name", utf8(w.text)}, {"kind", kSymbolConstant}, {"range", rangeOf(w)}, {"selectionRange", rangeOf(w)}});
    return symbols;
}

json LanguageServer::completion(const json& params) {
    const Document* d = document(params);
    json items = json::array();
    for (const Completion& c : completions(d ? d->outline : ProgramOutline{}))
        items.push_back({{"label", utf8(c.label)}, {"kind", kCompletionKind[c.kind]}, {"detail", utf8(c.detail)}});
    return items;
}

json LanguageServer::formatting(const json& params) {
    const Document* d = document(params);
    json edits = json::array();
    const auto formatted = d ? formattedSource(d->text) : std::nullopt;
    if (!formatted) return edits;
    // One edit of the whole text, to the end of its last line.
    const auto lastLine = static_cast<int32_t>(d->outline.lines.size()) - 1;
    const size_t lastBreak = d->text.find_last_of(u"\r\n");
    const auto lastLength = static_cast<int32_t>(d->text.size() - (lastBreak == Text::npos ? 0 : lastBreak + 1));
    edits.push_back({{"range", {{"start", position(0, 0)}, {"end", position(lastLine, lastLength)}}}, {"newText", utf8(*formatted)}});
    return edits;
}

void LanguageServer::request(const json& id, const std::string& method, const json& params) {
    if (shutdown_) return send(rpcError(id, kInvalidRequest, "the server has been shut down"));
    if (!initialized_ && method != "initialize") return send(rpcError(id, kServerNotInitialized, "initialize comes first"));
    if (initialized_ && method == "initialize") return send(rpcError(id, kInvalidRequest, "initialize came already"));
    for (const Method& m : kRequests) {
        if (m.name != method) continue;
        try {
            return respond(id, (this->*m.handler)(params));
        } catch (const json::exception& e) {
            return send(rpcError(id, kInvalidParams, std::string("invalid params: ") + e.what()));
        }
    }
    send(rpcError(id, kMethodNotFound, "no method " + method));
}

void LanguageServer::notification(const std::string& method, const json& params) {
    if (!initialized_ || shutdown_) return;  // notifications out of order are dropped, as the protocol asks
    for (const Method& m : kNotifications) {
        if (m.name != method) continue;
        try {
            (this->*m.handler)(params);
        } catch (const json::exception&) {
            // A notification has no answer: a malformed one changes nothing.
        }
        return;
    }
}

bool LanguageServer::handle(const json& message) {
    const json id = message.is_object() ? message.value("id", json()) : json();
    if (!message.is_object() || !message.contains("method") || !message["method"].is_string() ||
        !(id.is_null() || id.is_number_integer() || id.is_string())) {
        send(rpcError(nullptr, kInvalidRequest, "not a request or notification"));
        return true;
    }
    const std::string method = message["method"].get<std::string>();
    const json params = message.value("params", json::object());
    if (method == "exit") return false;
    if (message.contains("id")) request(id, method, params);
    else notification(method, params);
    return true;
}

}  // namespace

json lspDiagnostics(const Workbench& wb) {
    json diagnostics = json::array();
    for (const Problem& p : problemRows(wb)) {
        const int32_t line = p.line > 0 ? p.line - 1 : 0;
        const int32_t begin = p.column > 0 ? p.column - 1 : 0;
        const int32_t end = p.endColumn > p.column ? p.endColumn - 1 : begin;
        diagnostics.push_back({{"range", {{"start", position(line, begin)}, {"end", position(line, end)}}},
                               {"severity", p.kind == ProblemKind::Warning ? kSeverityWarning : kSeverityError},
                               {"source", kServerName},
                               {"message", utf8(p.text)}});
    }
    return diagnostics;
}

int serveLanguage(std::istream& in, std::ostream& out) {
    MessageReader reader(in);
    LanguageServer server(out);
    while (true) {
        const MessageReader::Read read = reader.next();
        if (read.status == MessageReader::Read::End) return server.exitStatus();
        if (read.status == MessageReader::Read::Malformed) {
            writeMessage(out, rpcError(nullptr, kParseError, read.problem));
            continue;
        }
        const auto message = parsedBody(read.body);
        if (!message) {
            writeMessage(out, rpcError(nullptr, kParseError, "a message that is no JSON"));
            continue;
        }
        if (!server.handle(*message)) return server.exitStatus();
    }
}

}  // namespace comet
