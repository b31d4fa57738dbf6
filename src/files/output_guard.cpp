#include "files/output_guard.hpp"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>

#include "files/escape.hpp"
#include "workbench/messages.hpp"

namespace comet {
namespace {

// What makes a file itself: its device and inode when it exists, else the path it resolves to.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string resolved;

    // Ordered so that a class's thousands of files are checked in a map, not pair by pair.
    bool operator<(const FileIdentity& other) const {
        return std::tie(exists, device, inode, resolved) < std::tie(other.exists, other.device, other.inode, other.resolved);
    }
};

FileIdentity identityOf(const std::string& path) {
    FileIdentity id;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        id.exists = true;
        id.device = st.st_dev;
        id.inode = st.st_ino;
        return id;
    }
    std::error_code ignored;  // a path that cannot be resolved is compared as written
    const auto resolved = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ignored), ignored);
    id.resolved = resolved.empty() ? path : resolved.string();
    return id;
}

// `clash` names the output, then the file it would be.
std::string clashText(const NamedFile& output, const NamedFile& other, Msg clash) {
    return message(clash, {output.role, shownName(output.path), other.role, shownName(other.path)});
}

}  // namespace

std::optional<std::string> outputClash(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    std::map<FileIdentity, const NamedFile*> read;
    for (const NamedFile& in : inputs) read.emplace(identityOf(in.path), &in);
    std::map<FileIdentity, const NamedFile*> written;
    for (const NamedFile& out : outputs) {
        const FileIdentity id = identityOf(out.path);
        if (const auto in = read.find(id); in != read.end()) return clashText(out, *in->second, Msg::CliOutputReplacesInput);
        if (const auto [earlier, isNew] = written.emplace(id, &out); !isNew)
            return clashText(out, *earlier->second, Msg::CliOutputsShareFile);
    }
    return std::nullopt;
}

}  // namespace comet
