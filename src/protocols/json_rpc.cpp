#include "protocols/json_rpc.hpp"

namespace comet {

nlohmann::json rpcError(const nlohmann::json& id, RpcError code, const std::string& message) {
    return {{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

}  // namespace comet
