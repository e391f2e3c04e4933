// Expression evaluation on arbitrary bytes: no crash, no hang, one of the
// three result words; the syntax test and evaluation through a small store too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/script/expressions.h"
#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"

namespace {

void Check(const std::string& result) {
    if (result != "TRUE" && result != "FALSE" && result != "ERROR") std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zk::script;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(EvaluateExpressionText(text));
    ExpressionSyntaxPasses(text);

    static VariableStore* store = [] {
        auto* s = new VariableStore;
        s->SetSubstitutionLimits(16, 1 << 13);
        s->Define("A", "1", kStageInitialization);
        s->Define("B", "say \"hi\"", kStageInitialization);
        s->Define("C", "$A$ and $C$", kStageInitialization);
        return s;
    }();
    Check(EvaluateExpression(text, *store));
    return 0;
}
