#include "files/output_guard.hpp"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "files/escape.hpp"

namespace comet {
namespace {

// What makes a file itself: its device and inode when it exists, else the path it resolves to.
struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string resolved;

    bool operator==(const FileIdentity& other) const {
        if (exists != other.exists) return false;
        return exists ? device == other.device && inode == other.inode : resolved == other.resolved;
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
    std::vector<FileIdentity> inputIds;
    for (const NamedFile& in : inputs) inputIds.push_back(identityOf(in.path));
    std::vector<FileIdentity> outputIds;
    for (const NamedFile& out : outputs) {
        const FileIdentity id = identityOf(out.path);
        for (size_t i = 0; i < inputs.size(); ++i)
            if (id == inputIds[i]) return clashText(out, inputs[i], "an output never replaces what is read");
        for (size_t i = 0; i < outputIds.size(); ++i)
            if (id == outputIds[i]) return clashText(out, outputs[i], "two outputs cannot share a file");
        outputIds.push_back(id);
    }
    return std::nullopt;
}

}  // namespace comet
