// The predefined variables: the 52 names compilation declares before its
// checks, in their fixed order.
#pragma once
#include <string_view>
#include <vector>

namespace zk::script {

class VariableStore;

// The 52 names in declaration order.
const std::vector<std::string_view>& PredefinedVariableNames();
// Declares them empty: stage "Compilation", `PROGRESSMODE` "Initialization".
void DeclarePredefinedVariables(VariableStore& store);

} // namespace zk::script
