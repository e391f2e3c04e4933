// Cost of Substitute by number of defined variables, for texts with and
// without references.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/script/stage_labels.h"
#include "engine/script/variable_store.h"

namespace {

void Fill(zk::script::VariableStore& store, int count) {
    for (int i = 0; i < count; ++i)
        store.Define("VARIABLE_" + std::to_string(i), "value number " + std::to_string(i),
                     zk::script::kStageInitialization);
}

void Run(benchmark::State& state, const std::string& text) {
    zk::script::VariableStore store;
    Fill(store, static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Substitute(text));
    state.SetComplexityN(state.range(0));
}

void BM_NoReference(benchmark::State& state) {
    Run(state, "C:\\Program Files\\Quorvix\\bin\\quorvix.exe /quiet /norestart");
}
void BM_TwoReferences(benchmark::State& state) {
    Run(state, "$VARIABLE_3$\\bin\\$variable_40$.exe /quiet");
}
// The pass ends early once no "$" is left; a reference to the last variable
// defined walks the whole list.
void BM_ReferenceToLastVariable(benchmark::State& state) {
    Run(state, "$VARIABLE_" + std::to_string(state.range(0) - 1) + "$\\bin");
}
void BM_DollarWithoutReference(benchmark::State& state) {
    Run(state, "costs 5$ and 6$ in total");
}
void BM_UndefinedReference(benchmark::State& state) {
    Run(state, "$UNDEFINED$\\bin");
}

#define SIZES ->Arg(50)->Arg(500)->Arg(5000)->Complexity()
BENCHMARK(BM_NoReference) SIZES;
BENCHMARK(BM_TwoReferences) SIZES;
BENCHMARK(BM_ReferenceToLastVariable) SIZES;
BENCHMARK(BM_DollarWithoutReference) SIZES;
BENCHMARK(BM_UndefinedReference) SIZES;

} // namespace

BENCHMARK_MAIN();
