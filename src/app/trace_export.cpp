#include "app/trace_export.hpp"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace comet {
namespace {

bool namesJson(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".json";
}

std::string systemReason() { return errno != 0 ? std::error_code(errno, std::generic_category()).message() : "write error"; }

}  // namespace

TraceFile::TraceFile(const std::string& path) : file_(path, std::ios::binary | std::ios::trunc), json_(namesJson(path)) {
    if (!file_) {
        problem_ = systemReason();
        return;
    }
    if (json_) file_ << '[';
    else file_ << traceCsvHeader();
}

void TraceFile::follow(Workbench& wb) { wb_ = &wb; }

void TraceFile::runStarted() { recorder_.start(*wb_); }

void TraceFile::stepEnded() {
    if (!recorder_.take(*wb_, row_)) return;
    if (!json_) {
        file_ << traceCsvLine(row_);
        return;
    }
    file_ << (anyRow_ ? ",\n" : "\n") << traceJsonLine(row_);
    anyRow_ = true;
}

bool TraceFile::finish() {
    if (json_) file_ << "\n]\n";
    file_.close();
    if (file_.fail() && problem_.empty()) problem_ = systemReason();
    return problem_.empty();
}

}  // namespace comet
