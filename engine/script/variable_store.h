// The variable store: named text values of the running script, with upper-cased
// unique names in definition order and a hash index on them; Define/Set/Get,
// the command-line rule of silent runs, snapshots for plug-ins, $-substitution
// of references, the persistent variable list and the command-line variables.
// One re-entrant lock inside guards everything, so the interpreter, dialogs
// and worker threads may share one store; each call is atomic on its own, and
// Lock() holds the store across a sequence of calls.
#pragma once
#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/hashed_line_list.h"

namespace zk::script {

// Engine message slots the store raises (1-based, engine message table).
inline constexpr int kMessageGetUndefined = 9;
inline constexpr int kMessageSetUndefined = 10;
// Supplies the current text of an engine message slot. The table may be
// replaced by a language file at any time, so the store asks when it raises.
using MessageTextSource = std::function<std::string(int slot)>;
// Built-in texts of the two slots above (empty for other slots).
std::string DefaultVariableMessage(int slot);

// Called after every stored write, under the store's lock.
using WriteObserver =
    std::function<void(std::string_view name, std::string_view value, std::string_view stage)>;

// What ResolveReference gives for an undefined variable.
enum class UndefinedReference {
    Marker, // "$MYAHNX$" (dialog texts)
    Empty,  // "" (dialog controls)
};

class VariableStore {
  public:
    // Bounds of Substitute against references that keep the text changing.
    static constexpr int kDefaultMaxPasses = 128;
    static constexpr std::size_t kDefaultMaxLength = std::size_t{16} << 20;

    VariableStore();
    VariableStore(const VariableStore&) = delete;
    VariableStore& operator=(const VariableStore&) = delete;

    // Holds the variable lock for a sequence of calls (re-entrant).
    std::unique_lock<std::recursive_mutex> Lock() const {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    void SetMessageSource(MessageTextSource source);
    void SetWriteObserver(WriteObserver observer);
    // The silent flag of the run; Set obeys the command-line rule while true.
    void SetSilent(bool silent) { silent_.store(silent); }
    bool Silent() const { return silent_.load(); }
    void SetSubstitutionLimits(int maxPasses, std::size_t maxLength);

    bool IsDefined(std::string_view name) const;
    // Sets when defined, else appends the upper-cased name. Never fails.
    void Define(std::string_view name, std::string_view value, std::string_view stage);
    // Throws zk::EngineError (slot 10 + upper-cased name) when not defined.
    // In a silent run a name given on the command line keeps its value unless
    // the stage is "Inject Override Command Line".
    void Set(std::string_view name, std::string_view value, std::string_view stage);
    // Throws zk::EngineError (slot 9 + the name as passed) when not defined.
    std::string Get(std::string_view name) const;
    // Empties names, values and the persistent variable list.
    void ClearAll();

    std::size_t Count() const;
    // Name/value pairs in definition order.
    std::vector<std::pair<std::string, std::string>> Entries() const;

    // name1,value1,name2,value2,... as comma text.
    std::string Snapshot() const;
    // Replaces all variables by the pairs of a comma text (odd last item
    // dropped; names taken as they come).
    void ReplaceFromSnapshot(std::string_view commaText);

    // Replaces "$NAME$" (any case) by values, variables in definition order,
    // repeating while "$" remains and the text changed (bounded, see above).
    std::string Substitute(std::string_view text) const;
    // As Substitute, first pass inserting each value between double quotes.
    std::string SubstituteQuoted(std::string_view text) const;
    // Substitute, then collapse doubled backslashes keeping a leading pair.
    std::string SubstitutePath(std::string_view text) const;
    // Value of the variable a pure reference or bare name designates, passed
    // through Substitute; the fallback when it is not defined.
    std::string ResolveReference(std::string_view text, UndefinedReference fallback) const;

    // Persistent variable list: names saved with the maintenance data.
    void AppendPersistentName(std::string_view name);
    // Appends unless already listed (ignoring case); true when appended.
    bool AddPersistentNameOnce(std::string_view name);
    std::vector<std::string> PersistentNames() const;

    // Command-line variables: alternating upper-cased name and value lines.
    void SetCommandLineVariables(std::vector<std::string> lines);
    std::vector<std::string> CommandLineVariables() const;
    bool IsCommandLineName(std::string_view name) const;

  private:
    struct NameKey {
        std::size_t hash; // AnsiHashText of the name
        bool hasDollar;   // names with "$" cannot use the segment test
    };
    void AppendLocked(std::string name, std::string value);
    std::string Message(int slot) const;
    // One pass over all variables; sets `bounded` when the length bound stopped it.
    std::string SubstitutePass(std::string_view text, bool quoted, bool& bounded) const;
    std::string SubstituteRepeat(std::string text, bool quotedFirst) const;

    mutable std::recursive_mutex mutex_;
    HashedLineList names_;
    std::vector<std::string> values_;
    std::vector<NameKey> keys_;
    std::vector<std::string> persistent_;
    std::vector<std::string> commandLine_;
    MessageTextSource messages_;
    WriteObserver observer_;
    std::atomic<bool> silent_{false};
    int maxPasses_ = kDefaultMaxPasses;
    std::size_t maxLength_ = kDefaultMaxLength;
};

} // namespace zk::script
