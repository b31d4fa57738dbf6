#include "files/output_guard.hpp"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>

#include "files/escape.hpp"

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

std::string clashText(const NamedFile& output, const NamedFile& other, const char* why) {
    return output.role + ' ' + shownName(output.path) + " is " + other.role + ' ' + shownName(other.path) + ": " + why;
}

}  // namespace

std::optional<std::string> outputClash(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    std::map<FileIdentity, const NamedFile*> read;
    for (const NamedFile& in : inputs) read.emplace(identityOf(in.path), &in);
    std::map<FileIdentity, const NamedFile*> written;
    for (const NamedFile& out : outputs) {
        const FileIdentity id = identityOf(out.path);
        if (const auto in = read.find(id); in != read.end()) return clashText(out, *in->second, "an output never replaces what is read");
        if (const auto [earlier, isNew] = written.emplace(id, &out); !isNew)
            return clashText(out, *earlier->second, "two outputs cannot share a file");
    }
    return std::nullopt;
}

}  // namespace comet
