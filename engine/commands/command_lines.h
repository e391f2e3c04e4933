// Reads the parameter lines of the running command as the catalogue declares
// them: text lines substituted, path lines path-substituted, raw lines as
// written, booleans by the boolean words, variable lines by their name form
// (a bare name used as written, or a bare name or pure reference). Results are
// written with the stage label of the command ("<name> Action").
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/commands/catalogue.h"
#include "engine/script/interpreter.h"

namespace zk::commands {

class CommandLines {
  public:
    // Throws std::logic_error when the command is not in the catalogue.
    explicit CommandLines(script::CommandContext& context);

    // A Text, Path or Raw line read as its kind says.
    std::string Value(int n) const;
    // A Boolean line.
    bool Flag(int n) const;
    // A line read as its kind says, then as an integer; a text that is not
    // one raises the conversion error (which ends the run).
    std::int32_t Integer(int n) const;

    // The variable a variable line names; empty for an empty optional line.
    std::string VariableName(int n) const;
    // True when the line names a variable (optional lines may be empty).
    bool NamesVariable(int n) const { return !VariableName(n).empty(); }
    // The value of the variable line n names; raises the store's error when
    // it is not defined.
    std::string VariableValue(int n) const;
    // Defines the variable line n names, empty, when it does not exist yet.
    void DefineIfMissing(int n) const;
    // Defines the variable when missing, then sets it.
    void Store(int n, std::string_view value) const;

    std::string Stage() const;
    const CommandInfo& Info() const { return info_; }
    script::CommandContext& Context() const { return context_; }

  private:
    const ParamInfo& Line(int n, ParamKind expected) const;
    const ParamInfo& VariableLine(int n) const;

    script::CommandContext& context_;
    const CommandInfo& info_;
};

} // namespace zk::commands
