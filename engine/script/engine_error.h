// The one exception type of the engine: an error that ends the run (or, inside
// the script, the run-time error report). Carries the message text as shown.
#pragma once
#include <stdexcept>
#include <string>

namespace zk {

class EngineError : public std::runtime_error {
  public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace zk
