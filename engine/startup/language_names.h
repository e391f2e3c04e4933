// English names of setup languages by language identifier.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace zk::startup {

// Name of a language identifier. Identifiers outside the table are mapped
// through the system's English name of the language (`systemEnglishName`,
// which may return empty): a name of the table gives its table name, except
// that English variants other than 1033 give the empty text.
std::string LanguageNameOf(unsigned languageId, const std::function<std::string(unsigned)>& systemEnglishName);

// Identifier of a table name (ignoring case), 1033 for a name not in the table.
unsigned LanguageIdOf(std::string_view name);

} // namespace zk::startup
