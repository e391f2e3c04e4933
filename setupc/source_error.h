// The one error type of the authoring tool: a message tied to a file and a
// line, shown as "file:line: message" (just "file: message" for line 0).
#pragma once
#include <stdexcept>
#include <string>

namespace zk::setupc {

class SourceError : public std::runtime_error {
  public:
    SourceError(std::string file, int line, std::string message)
        : std::runtime_error(Format(file, line, message)), file_(std::move(file)), line_(line),
          message_(std::move(message)) {}

    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Message() const { return message_; }

  private:
    static std::string Format(const std::string& file, int line, const std::string& message) {
        std::string where = file.empty() ? std::string("setupc") : file;
        if (line > 0) where += ":" + std::to_string(line);
        return where + ": " + message;
    }
    std::string file_;
    int line_;
    std::string message_;
};

} // namespace zk::setupc
