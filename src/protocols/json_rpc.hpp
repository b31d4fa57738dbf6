// What both editor protocols answer to a message they cannot take, and the texts of the
// protocols' own answers.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "machine/charset.hpp"

namespace comet {

// JSON-RPC's error codes, and the language server protocol's own.
enum RpcError : int {
    kParseError = -32700,
    kInvalidRequest = -32600,
    kMethodNotFound = -32601,
    kInvalidParams = -32602,
    kServerNotInitialized = -32002,
};

nlohmann::json rpcError(const nlohmann::json& id, RpcError code, const std::string& message);

// A text of the workbench as the protocols carry it, and back.
inline std::string utf8(const Text& text) { return toUtf8(text); }
inline Text textOf(const nlohmann::json& string) { return fromUtf8(string.get<std::string>()); }

}  // namespace comet
