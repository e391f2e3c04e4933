// Builds small script images for tests: one command per call, with generated
// identifiers and its parameter record.
#pragma once
#include <cstdio>
#include <initializer_list>
#include <string>

#include "engine/script/script_image.h"

namespace zk::script::testing {

class ScriptBuilder {
  public:
    ScriptBuilder& Add(const std::string& name, std::initializer_list<std::string> parameters = {},
                       bool disabled = false) {
        char id[64];
        std::snprintf(id, sizeof id, "{%08X-0000-0000-0000-000000000000}",
                      static_cast<unsigned>(image_.CommandCount() + 1));
        image_.commandNames.Add(name);
        image_.commandIds.Add(id);
        image_.commandFlags.Add(disabled ? "C" : "");
        image_.mediaFolders.Add("");
        if (parameters.size() != 0) {
            image_.parameterStore[0].Add(id);
            for (const std::string& p : parameters)
                image_.parameterStore[0].Add(p);
        }
        return *this;
    }
    ScriptBuilder& Disabled(const std::string& name,
                            std::initializer_list<std::string> parameters = {}) {
        return Add(name, parameters, true);
    }
    ScriptBuilder& Setting(const std::string& name, const std::string& value) {
        image_.buildSettings.Add(name);
        image_.buildSettings.Add(value);
        return *this;
    }
    const ScriptImage& Image() const { return image_; }

  private:
    ScriptImage image_;
};

} // namespace zk::script::testing
