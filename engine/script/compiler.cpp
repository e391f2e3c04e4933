#include "engine/script/compiler.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/ansi_case.h"
#include "engine/script/expressions.h"
#include "engine/script/predefined_variables.h"
#include "engine/script/script_image.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::script {

namespace {

constexpr std::string_view kRememberMarker = "$ZARA$ZARA$";

template <std::size_t N>
bool OneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::array<std::string_view, 16> kComponentBound = {
    "Delete Files",        "Copy/Move Local Files", "Create Folder",       "Create Shortcut",
    "Advertised Shortcut", "Edit INI File",         "Install Files",       "Install Assembly",
    "Set Environment",     "Install Service",       "Install ODBC Driver", "Create ODBC DSN",
    "Control Service",     "Write Registry",        "Create File Type",    "Advertised File Type",
};

constexpr std::array<std::string_view, 11> kDeclareP1 = {
    "Get Folder Location", "Get INI File Settings",  "Check File Version",
    "Get System Settings", "Get OS or SP Level",     "Read Registry",
    "Check Registry",      "Does File/Folder Exist", "Localization Variable",
    "Get Temporary File",  "Get IIS Site List",
};

constexpr std::array<std::string_view, 4> kRequireDefinedP1 = {"Convert Path", "Convert Case",
                                                               "Extract Path", "Replace String"};

constexpr std::array<std::string_view, 3> kAlwaysDeclareP2 = {"Get File Version", "Get Environment",
                                                              "Get IIS Site Index"};
constexpr std::array<std::string_view, 4> kDeclareP2IfSet = {
    "Check Process", "Apply Changes", "Get Component State", "Get Component Space"};

// The per-command walk of compilation; each check returns an error message.
class CommandChecker {
  public:
    CommandChecker(const ScriptImage& image, VariableStore& store,
                   const std::vector<std::string>& labels)
        : image_(image), store_(store), labels_(labels) {}

    std::optional<std::string> Check(std::size_t index, std::string_view name, std::string& state) {
        index_ = index;
        if (IsComponentBoundCommand(name)) {
            if (name == "Delete Files" && !IsTrueText(P(3)) && !IsTrueText(P(4)))
                return "At least one delete mode must be selected";
            if (name == "Install Files" && P(3).empty())
                return std::string("A target folder must be specified for files that are being "
                                   "installed.\r") +
                       "The value $TARGETDIR$ represents the destination folder chosen by the "
                       "user.";
            state = "FALSE";
            return std::nullopt;
        }
        if (name == "Web Media Block") {
            std::optional<std::string> error;
            if (!IsLegalFileName(P(1))) error = "Web Media Block name must be a legal file name";
            if (!P(1).empty() && P(2).empty())
                error = "Web Media Block must have at least one download URL";
            return error;
        }
        if (OneOf(name, kDeclareP1)) return Declare(1);
        if (name == "Mathematics") return Declare(4);
        if (name == "Is MSI Setup Installed") return RequireThenDeclare(2);
        if (name == "Extract 7Zip Archive") return Declare(3);
        if (name == "Run Light Mode Setup") return Declare(2);
        if (name == "Read from Text File") {
            Declare(2);
            return Declare(3);
        }
        if (name == "Parse String") {
            Declare(3);
            return Declare(4);
        }
        if (OneOf(name, kRequireDefinedP1)) return RequireDefinedName(1);
        if (name == "Evaluate Expression") {
            Declare(2);
            if (!ExpressionSyntaxPasses(P(1)))
                return std::string("Syntax error in expression. Please review the help topic "
                                   "\"Evaluate Expression\" for the correct syntax.");
            return std::nullopt;
        }
        // The result lines: "Run Program" line 4 is the wait flag and line 5 the
        // exit code; "Get IIS Property" line 1 is a flag and line 6 the value.
        if (name == "Run Program") return DeclareIfSet(5);
        if (name == "Get IIS Property") return DeclareIfSet(6);
        if (name == "Run Program As") return DeclareIfSet(8);
        if (name == "Set Variable") {
            std::string target = P(1);
            std::size_t marker = target.find(kRememberMarker);
            if (marker != std::string::npos) target.erase(marker);
            store_.Define(AnsiUpper(target), "", kStageCompilation);
            return std::nullopt;
        }
        if (OneOf(name, kAlwaysDeclareP2)) return Declare(2);
        if (OneOf(name, kDeclareP2IfSet)) return DeclareIfSet(2);
        if (name == "GoTo Label") {
            std::string target = AnsiUpper(P(1));
            if (std::find(labels_.begin(), labels_.end(), target) == labels_.end())
                return "LABEL undefined: " + P(1);
            return std::nullopt;
        }
        if (name == "Find All Files") return RequireThenDeclare(4);
        if (name == "Check Disk Space") return RequireThenDeclare(1);
        if (name == "If" || name == "Else If") {
            const std::string p1 = P(1);
            const std::string p3 = P(3);
            if (p1.empty()) return std::string("Variable required");
            if (IsPureReference(p3) && !store_.IsDefined(PureReferenceName(p3)))
                return "Variable not defined: " + p3;
            if (!NamesKnownVariable(p1)) return "Variable not defined: " + p1;
            return std::nullopt;
        }
        if (name == "MessageBox") return DeclareIfSet(5);
        if (name == "Check Service" || name == "Register Library") return DeclareIfSet(3);
        if (name == "Apply Patch" || name == "IIS Anonymous User") return DeclareIfSet(1);
        if (name == "Display Dialog") {
            if (P(1).empty()) return std::string("Dialog name not specified");
            DeclareIfSet(2);
            const std::string p4 = P(4);
            if (!p4.empty() && !NamesKnownVariable(p4)) return "Variable not defined: " + p4;
            return std::nullopt;
        }
        return std::nullopt;
    }

  private:
    std::string P(int n) const { return image_.ParameterOf(index_, n); }

    std::optional<std::string> Declare(int n) {
        store_.Define(AnsiUpper(P(n)), "", kStageCompilation);
        return std::nullopt;
    }
    std::optional<std::string> DeclareIfSet(int n) {
        if (!P(n).empty()) Declare(n);
        return std::nullopt;
    }
    std::optional<std::string> RequireThenDeclare(int n) {
        if (P(n).empty()) return std::string("Variable required");
        return Declare(n);
    }
    std::optional<std::string> RequireDefinedName(int n) {
        const std::string text = P(n);
        if (!store_.IsDefined(text)) return "Variable not defined: " + text;
        return std::nullopt;
    }
    // A pure reference whose name is known, or itself a known name.
    bool NamesKnownVariable(const std::string& text) const {
        return (IsPureReference(text) && store_.IsDefined(PureReferenceName(text))) ||
               store_.IsDefined(text);
    }

    const ScriptImage& image_;
    VariableStore& store_;
    const std::vector<std::string>& labels_;
    std::size_t index_ = 0;
};

CompileResult Fail(CompileResult result, std::int64_t index, std::string message) {
    result.errorIndex = index;
    result.message = std::move(message);
    return result;
}

} // namespace

bool IsLegalFileName(std::string_view name) {
    std::size_t separator = name.find_last_of("\\:");
    std::string_view last = separator == std::string_view::npos ? name : name.substr(separator + 1);
    return last.find_first_of("/*?<>|\"") == std::string_view::npos;
}

bool IsComponentBoundCommand(std::string_view commandName) {
    return OneOf(commandName, kComponentBound);
}

CompileResult Compile(const ScriptImage& image, VariableStore& store) {
    CompileResult result;
    store.ClearAll();
    DeclarePredefinedVariables(store);
    const std::size_t count = image.CommandCount();

    // Block structure over the enabled commands.
    std::int64_t openings = 0, closings = 0, depth = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (image.IsDisabled(i)) continue;
        const std::string& name = image.CommandName(i);
        if (name == "If" || name == "Wizard Loop") {
            ++openings;
            ++depth;
        } else if (name == "End") {
            ++closings;
            --depth;
        } else if (name == "Label" && depth != 0) {
            return Fail(std::move(result), static_cast<std::int64_t>(i),
                        "LABEL statements cannot be nested inside loops/conditionals");
        }
    }
    if (closings < openings)
        return Fail(std::move(result), kUnbalancedBlocks, "Insufficient END statements");
    if (closings > openings)
        return Fail(std::move(result), kUnbalancedBlocks, "Too many END statements");

    // Labels, disabled ones included.
    for (std::size_t i = 0; i < count; ++i) {
        if (image.CommandName(i) != "Label") continue;
        const std::string label = image.ParameterOf(i, 1);
        std::string upper = AnsiUpper(label);
        if (std::find(result.labels.begin(), result.labels.end(), upper) != result.labels.end())
            return Fail(std::move(result), static_cast<std::int64_t>(i),
                        "LABEL re-defined: " + label);
        result.labels.push_back(std::move(upper));
    }

    // Remembered variables are known from the start.
    for (std::size_t i = 0; i < count; ++i) {
        if (image.CommandName(i) != "Set Variable") continue;
        const std::string target = image.ParameterOf(i, 1);
        std::size_t marker = target.find(kRememberMarker);
        if (marker == std::string::npos) continue;
        if (target.substr(marker + kRememberMarker.size()) != "TRUE") continue;
        std::string name = AnsiUpper(target.substr(0, marker));
        if (!store.IsDefined(name)) store.Define(name, "", kStageCompilation);
    }

    // Per-command checks and declarations, in program order.
    CommandChecker checker(image, store, result.labels);
    result.commandStates.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        result.commandStates.emplace_back("SKIP");
        if (image.IsDisabled(i)) continue;
        if (auto error = checker.Check(i, image.CommandName(i), result.commandStates.back()))
            return Fail(std::move(result), static_cast<std::int64_t>(i), std::move(*error));
    }

    result.errorIndex = kCompiledOk;
    result.message = std::string(kCompiledMessage);
    return result;
}

} // namespace zk::script
