// Substitution over a store and a text both taken from the input: no crash,
// no hang, output within the length bound.
//
// Input: lines; the first lines up to an empty line are NAME=VALUE
// definitions, the rest is the text to substitute.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/script/variable_store.h"
#include "engine/script/variable_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk::script;
    constexpr std::size_t kMaxLength = 1 << 13;
    std::string_view input(reinterpret_cast<const char*>(data), size);
    VariableStore store;
    store.SetSubstitutionLimits(32, kMaxLength);
    std::size_t pos = 0;
    while (pos < input.size()) {
        std::size_t end = input.find('\n', pos);
        if (end == std::string_view::npos) end = input.size();
        std::string_view line = input.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty()) break;
        std::size_t eq = line.find('=');
        store.Define(line.substr(0, eq), eq == std::string_view::npos ? "" : line.substr(eq + 1),
                     "Fuzz");
    }
    std::string_view text = pos < input.size() ? input.substr(pos) : std::string_view{};
    // A text longer than the bound may come back as it is (growth refused).
    const std::size_t limit = kMaxLength > text.size() ? kMaxLength : text.size();
    if (store.Substitute(text).size() > limit) std::abort();
    if (store.SubstituteQuoted(text).size() > limit) std::abort();
    if (store.SubstitutePath(text).size() > limit + 1) std::abort();
    store.ResolveReference(text, UndefinedReference::Marker);
    store.ReplaceFromSnapshot(store.Snapshot());
    EncodeLineBreaks(DecodeLineBreaks(text));
    return 0;
}
