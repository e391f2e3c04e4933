// An ordered list of text lines with a hash index for IndexOf.
// IndexOf ignores case (Windows-1252) and returns the first matching position.
// Not thread-safe: owners that share a list guard it themselves.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zk {

class HashedLineList {
  public:
    static constexpr std::ptrdiff_t npos = -1;

    HashedLineList() = default;
    explicit HashedLineList(std::vector<std::string> lines);

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](std::size_t i) const { return lines_[i]; }
    // Line i, or the empty text when i is out of range.
    const std::string& Get(std::ptrdiff_t i) const;
    const std::vector<std::string>& Lines() const { return lines_; }

    void Add(std::string line);
    void Insert(std::size_t at, std::string line);
    void Set(std::size_t i, std::string line);
    void Delete(std::size_t i);
    void Clear();

    // First position whose line equals `line` ignoring case, or npos.
    std::ptrdiff_t IndexOf(std::string_view line) const;

  private:
    struct KeyHash {
        std::size_t operator()(const std::string& s) const;
    };
    struct KeyEqual {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    void Rebuild() const;

    std::vector<std::string> lines_;
    mutable std::unordered_map<std::string, std::size_t, KeyHash, KeyEqual> index_;
    mutable bool indexValid_ = true;
};

} // namespace zk
