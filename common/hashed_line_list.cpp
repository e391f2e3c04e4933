#include "common/hashed_line_list.h"

#include "common/ansi_case.h"

namespace zk {

namespace {
const std::string kEmpty;
}

std::size_t HashedLineList::KeyHash::operator()(const std::string& s) const { return AnsiHashText(s); }
bool HashedLineList::KeyEqual::operator()(const std::string& a, const std::string& b) const {
    return AnsiSameText(a, b);
}

HashedLineList::HashedLineList(std::vector<std::string> lines) : lines_(std::move(lines)), indexValid_(false) {}

const std::string& HashedLineList::Get(std::ptrdiff_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= lines_.size()) return kEmpty;
    return lines_[static_cast<std::size_t>(i)];
}

void HashedLineList::Add(std::string line) {
    if (indexValid_) index_.emplace(line, lines_.size()); // keeps an earlier position
    lines_.push_back(std::move(line));
}

void HashedLineList::Insert(std::size_t at, std::string line) {
    if (at >= lines_.size()) return Add(std::move(line));
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    indexValid_ = false;
}

void HashedLineList::Set(std::size_t i, std::string line) {
    if (i >= lines_.size()) return;
    lines_[i] = std::move(line);
    indexValid_ = false;
}

void HashedLineList::Delete(std::size_t i) {
    if (i >= lines_.size()) return;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    indexValid_ = false;
}

void HashedLineList::Clear() {
    lines_.clear();
    index_.clear();
    indexValid_ = true;
}

void HashedLineList::Rebuild() const {
    index_.clear();
    index_.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) index_.emplace(lines_[i], i);
    indexValid_ = true;
}

std::ptrdiff_t HashedLineList::IndexOf(std::string_view line) const {
    if (!indexValid_) Rebuild();
    auto it = index_.find(std::string(line));
    return it == index_.end() ? npos : static_cast<std::ptrdiff_t>(it->second);
}

} // namespace zk
