// An in-memory variable store for dialog tests.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "common/ansi_case.h"
#include "engine/script/engine_error.h"
#include "engine/ui/dialog_variables.h"

namespace zk::ui::testing {

class FakeVariables : public DialogVariables {
  public:
    struct Write {
        std::string name, value, stage;
    };
    std::map<std::string, std::string> values; // upper-cased names
    std::vector<Write> writes;

    bool Exists(std::string_view name) const override { return values.count(AnsiUpper(name)) != 0; }
    std::string Get(std::string_view name) const override {
        auto it = values.find(AnsiUpper(name));
        if (it == values.end())
            throw EngineError("Attempting to get value of undefined variable " + AnsiUpper(name));
        return it->second;
    }
    void Set(std::string_view name, std::string_view value, std::string_view stage) override {
        values[AnsiUpper(name)] = std::string(value);
        writes.push_back({AnsiUpper(name), std::string(value), std::string(stage)});
    }
};

} // namespace zk::ui::testing
