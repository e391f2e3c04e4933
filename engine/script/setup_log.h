// The setup log: tag lines recording the phases of a run.
// Off while the file name is empty. The first write of the process truncates
// the file, later writes append; each line is written by opening, appending and
// closing the file, so nothing is lost if the process ends abruptly.
#pragma once
#include <mutex>
#include <string>
#include <string_view>

namespace zk::script {

class SetupLog {
  public:
    enum class Encoding { Utf16Le, Ansi }; // UTF-16LE without byte-order mark on the NT family

    explicit SetupLog(Encoding encoding = Encoding::Utf16Le) : encoding_(encoding) {}

    void SetEncoding(Encoding encoding);

    // The file name follows the command line and, later, the LOGGED variable.
    void SetFileName(std::string name);
    std::string FileName() const;

    // Appends line + CR LF. Throws EngineError when the file cannot be written.
    void Write(std::string_view line);

  private:
    Encoding encoding_;
    mutable std::mutex mutex_;
    std::string fileName_;
    bool firstWrite_ = true;
};

} // namespace zk::script
