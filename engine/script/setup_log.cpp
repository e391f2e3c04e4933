#include "engine/script/setup_log.h"

#include <cstdio>

#include "common/ansi_utf16.h"
#include "engine/script/engine_error.h"

namespace zk::script {

void SetupLog::SetEncoding(Encoding encoding) {
    std::lock_guard lock(mutex_);
    encoding_ = encoding;
}

void SetupLog::SetFileName(std::string name) {
    std::lock_guard lock(mutex_);
    fileName_ = std::move(name);
}

std::string SetupLog::FileName() const {
    std::lock_guard lock(mutex_);
    return fileName_;
}

void SetupLog::Write(std::string_view line) {
    std::lock_guard lock(mutex_);
    if (fileName_.empty()) return;
    std::string text(line);
    text += "\r\n";
    const std::string bytes = encoding_ == Encoding::Utf16Le ? AnsiToUtf16LeBytes(text) : text;
    // fopen takes the ANSI file name on Windows, as the rest of the engine does.
    std::FILE* file = std::fopen(fileName_.c_str(), firstWrite_ ? "wb" : "ab");
    if (!file) throw EngineError("Unable to write to the setup log file " + fileName_);
    firstWrite_ = false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) throw EngineError("Unable to write to the setup log file " + fileName_);
}

} // namespace zk::script
