#include "engine/script/variable_store.h"

#include "common/ansi_case.h"
#include "common/comma_text.h"
#include "engine/script/engine_error.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_text.h"

namespace zk::script {

std::string DefaultVariableMessage(int slot) {
    switch (slot) {
    case kMessageGetUndefined:
        return "Attempting to get value of undefined variable ";
    case kMessageSetUndefined:
        return "Attempting to set value of undefined variable ";
    default:
        return {};
    }
}

VariableStore::VariableStore() : messages_(DefaultVariableMessage) {}

void VariableStore::SetMessageSource(MessageTextSource source) {
    auto lock = Lock();
    messages_ = source ? std::move(source) : MessageTextSource(DefaultVariableMessage);
}

void VariableStore::SetWriteObserver(WriteObserver observer) {
    auto lock = Lock();
    observer_ = std::move(observer);
}

void VariableStore::SetSubstitutionLimits(int maxPasses, std::size_t maxLength) {
    auto lock = Lock();
    maxPasses_ = maxPasses < 1 ? 1 : maxPasses;
    maxLength_ = maxLength;
}

std::string VariableStore::Message(int slot) const {
    return messages_(slot);
}

bool VariableStore::IsDefined(std::string_view name) const {
    auto lock = Lock();
    return names_.IndexOf(AnsiUpper(name)) != HashedLineList::npos;
}

void VariableStore::AppendLocked(std::string name, std::string value) {
    keys_.push_back({AnsiHashText(name), name.find('$') != std::string::npos});
    names_.Add(std::move(name));
    values_.push_back(std::move(value));
}

void VariableStore::Define(std::string_view name, std::string_view value, std::string_view stage) {
    auto lock = Lock();
    std::string upper = AnsiUpper(name);
    if (names_.IndexOf(upper) != HashedLineList::npos) return Set(name, value, stage);
    AppendLocked(upper, std::string(value));
    if (observer_) observer_(upper, value, stage);
}

void VariableStore::Set(std::string_view name, std::string_view value, std::string_view stage) {
    auto lock = Lock();
    std::string upper = AnsiUpper(name);
    if (silent_.load() && stage != kStageCommandLine && IsCommandLineName(upper)) return;
    std::ptrdiff_t index = names_.IndexOf(upper);
    if (index == HashedLineList::npos) throw EngineError(Message(kMessageSetUndefined) + upper);
    values_[static_cast<std::size_t>(index)] = std::string(value);
    if (observer_) observer_(upper, value, stage);
}

std::string VariableStore::Get(std::string_view name) const {
    auto lock = Lock();
    std::ptrdiff_t index = names_.IndexOf(AnsiUpper(name));
    if (index == HashedLineList::npos)
        throw EngineError(Message(kMessageGetUndefined) + std::string(name));
    return values_[static_cast<std::size_t>(index)];
}

void VariableStore::ClearAll() {
    auto lock = Lock();
    names_.Clear();
    values_.clear();
    keys_.clear();
    persistent_.clear();
}

std::size_t VariableStore::Count() const {
    auto lock = Lock();
    return values_.size();
}

std::vector<std::pair<std::string, std::string>> VariableStore::Entries() const {
    auto lock = Lock();
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(values_.size());
    for (std::size_t i = 0; i < values_.size(); ++i)
        entries.emplace_back(names_[i], values_[i]);
    return entries;
}

std::string VariableStore::Snapshot() const {
    auto lock = Lock();
    std::vector<std::string> items;
    items.reserve(values_.size() * 2);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        items.push_back(names_[i]);
        items.push_back(values_[i]);
    }
    return JoinCommaText(items);
}

void VariableStore::ReplaceFromSnapshot(std::string_view commaText) {
    std::vector<std::string> items = SplitCommaText(commaText);
    auto lock = Lock();
    names_.Clear();
    values_.clear();
    keys_.clear();
    for (std::size_t k = 0; k + 1 < items.size(); k += 2)
        AppendLocked(std::move(items[k]), std::move(items[k + 1]));
}

std::string VariableStore::ResolveReference(std::string_view text,
                                            UndefinedReference fallback) const {
    std::string name = NameOrReference(text);
    std::string value;
    {
        auto lock = Lock();
        std::ptrdiff_t index = names_.IndexOf(AnsiUpper(name));
        if (index == HashedLineList::npos)
            return fallback == UndefinedReference::Marker ? "$MYAHNX$" : "";
        value = values_[static_cast<std::size_t>(index)];
    }
    return Substitute(value);
}

void VariableStore::AppendPersistentName(std::string_view name) {
    auto lock = Lock();
    persistent_.emplace_back(name);
}

bool VariableStore::AddPersistentNameOnce(std::string_view name) {
    auto lock = Lock();
    for (const std::string& known : persistent_)
        if (AnsiSameText(known, name)) return false;
    persistent_.emplace_back(name);
    return true;
}

std::vector<std::string> VariableStore::PersistentNames() const {
    auto lock = Lock();
    return persistent_;
}

void VariableStore::SetCommandLineVariables(std::vector<std::string> lines) {
    auto lock = Lock();
    commandLine_ = std::move(lines);
}

std::vector<std::string> VariableStore::CommandLineVariables() const {
    auto lock = Lock();
    return commandLine_;
}

bool VariableStore::IsCommandLineName(std::string_view name) const {
    auto lock = Lock();
    for (std::size_t i = 0; i < commandLine_.size(); i += 2)
        if (AnsiSameText(commandLine_[i], name)) return true;
    return false;
}

} // namespace zk::script
