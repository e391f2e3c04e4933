// Substitution of "$NAME$" references by the values of the variable store.
//
// A pass replaces, for each variable in definition order, every reference to
// it in the growing text. To keep a pass cheap with thousands of variables it
// indexes the text once per change: a reference to a name without "$" always
// lies between two consecutive dollar signs, so only names whose hash equals
// the hash of such a segment are searched at all.
#include <unordered_set>
#include <vector>

#include "common/ansi_case.h"
#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

namespace zk::script {

namespace {

class DollarIndex {
  public:
    void Build(std::string_view text) {
        segmentHashes_.clear();
        std::size_t p = text.find('$');
        hasDollar_ = p != std::string_view::npos;
        for (std::size_t q; p != std::string_view::npos; p = q) {
            q = text.find('$', p + 1);
            if (q == std::string_view::npos) break;
            segmentHashes_.insert(AnsiHashText(text.substr(p + 1, q - p - 1)));
        }
    }
    bool Empty() const { return !hasDollar_; }
    bool MayHold(std::size_t nameHash) const { return segmentHashes_.count(nameHash) != 0; }
    // Start positions of the non-overlapping references to `name`, left to right.
    static void FindReferences(std::string_view text, std::string_view name,
                               std::vector<std::size_t>& hits) {
        hits.clear();
        const std::size_t length = name.size() + 2;
        for (std::size_t p = text.find('$');
             p != std::string_view::npos && p + length <= text.size();) {
            if (text[p + length - 1] == '$' &&
                AnsiSameText(text.substr(p + 1, name.size()), name)) {
                hits.push_back(p);
                p = text.find('$', p + length);
            } else {
                p = text.find('$', p + 1);
            }
        }
    }

  private:
    struct Identity {
        std::size_t operator()(std::size_t h) const { return h; }
    };
    std::unordered_set<std::size_t, Identity> segmentHashes_;
    bool hasDollar_ = false;
};

} // namespace

std::string VariableStore::SubstitutePass(std::string_view text, bool quoted, bool& bounded) const {
    std::string current = DecodeLineBreaks(text);
    DollarIndex index;
    index.Build(current);
    std::vector<std::size_t> hits;
    for (std::size_t i = 0; i < values_.size() && !index.Empty(); ++i) {
        const NameKey& key = keys_[i];
        if (!key.hasDollar && !index.MayHold(key.hash)) continue;
        const std::string& name = names_[i];
        index.FindReferences(current, name, hits);
        if (hits.empty()) continue;

        const std::string& value = values_[i];
        const std::size_t patternLength = name.size() + 2;
        const std::size_t insertLength = value.size() + (quoted ? 2 : 0);
        if (insertLength > patternLength) {
            const std::size_t growth = insertLength - patternLength;
            const std::size_t room = maxLength_ > current.size() ? maxLength_ - current.size() : 0;
            if (hits.size() > room / growth) {
                bounded = true; // the text reached so far is the result
                return current;
            }
        }
        std::string next;
        next.reserve(current.size() - hits.size() * patternLength + hits.size() * insertLength);
        std::size_t from = 0;
        for (std::size_t hit : hits) {
            next.append(current, from, hit - from);
            if (quoted) next += '"';
            next += value;
            if (quoted) next += '"';
            from = hit + patternLength;
        }
        next.append(current, from, std::string::npos);
        current = std::move(next);
        index.Build(current);
    }
    return current;
}

std::string VariableStore::SubstituteRepeat(std::string text, bool quotedFirst) const {
    std::string current = std::move(text);
    for (int pass = 1;; ++pass) {
        bool bounded = false;
        std::string result;
        int maxPasses = 0;
        {
            auto lock = Lock();
            result = SubstitutePass(current, quotedFirst && pass == 1, bounded);
            maxPasses = maxPasses_;
        }
        if (bounded || pass >= maxPasses || result.find('$') == std::string::npos ||
            result == current)
            return result;
        current = std::move(result);
    }
}

std::string VariableStore::Substitute(std::string_view text) const {
    if (text.find('$') == std::string_view::npos) return std::string(text);
    return SubstituteRepeat(std::string(text), false);
}

std::string VariableStore::SubstituteQuoted(std::string_view text) const {
    return SubstituteRepeat(std::string(text), true);
}

std::string VariableStore::SubstitutePath(std::string_view text) const {
    return CollapsePathBackslashes(Substitute(text));
}

} // namespace zk::script
