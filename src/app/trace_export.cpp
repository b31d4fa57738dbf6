#include "app/trace_export.hpp"

#include <algorithm>

namespace comet {
namespace {

// ".json" in any case ends the name, whatever comes before it (".json" alone too).
bool namesJson(const std::string& path) {
    constexpr std::string_view kJson = ".json";
    if (path.size() < kJson.size()) return false;
    return std::equal(kJson.begin(), kJson.end(), path.end() - static_cast<std::ptrdiff_t>(kJson.size()),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

TraceFile::TraceFile(const std::string& path) : file_(path, Msg::CliCannotWrite), json_(namesJson(path)) {
    file_.write(json_ ? std::string_view("[") : traceCsvHeader());
}

void TraceFile::follow(Workbench& wb) { wb_ = &wb; }

void TraceFile::runStarted() { recorder_.start(*wb_); }

void TraceFile::stepEnded() {
    if (!recorder_.take(*wb_, row_)) return;
    if (!json_) {
        file_.write(traceCsvLine(row_));
        return;
    }
    file_.write(anyRow_ ? ",\n" : "\n");
    file_.write(traceJsonLine(row_));
    anyRow_ = true;
}

bool TraceFile::finish() {
    if (json_) file_.write("\n]\n");
    return file_.commit();
}

}  // namespace comet
