#include "engine/startup/language_names.h"

#include <utility>

#include "common/ansi_case.h"

namespace zk::startup {
namespace {

constexpr std::pair<unsigned, const char*> kLanguages[] = {
    {1025, "Arabic"},   {1027, "Catalan"},   {1028, "Chinese (Taiwan)"}, {2052, "Chinese (PRC)"},
    {1029, "Czech"},    {1030, "Danish"},    {1031, "German"},           {1032, "Greek"},
    {1033, "English"},  {3082, "Spanish"},   {1061, "Estonian"},         {1035, "Finnish"},
    {1036, "French"},   {1037, "Hebrew"},    {1038, "Hungarian"},        {1040, "Italian"},
    {1041, "Japanese"}, {1042, "Korean"},    {1063, "Lithuanian"},       {1062, "Latvian"},
    {1043, "Dutch"},    {1044, "Norwegian"}, {1045, "Polish"},           {1046, "Portugese (Brazil)"},
    {2070, "Portugese (Portugal)"}, {1048, "Romanian"}, {1049, "Russian"}, {1050, "Croatian"},
    {1051, "Slovak"},   {1053, "Swedish"},   {1054, "Thai"},             {1055, "Turkish"},
    {1060, "Slovenian"}, {1066, "Vietnamese"}, {1069, "Basque"},
};

const char* TableName(unsigned id) {
    for (const auto& [lid, name] : kLanguages)
        if (lid == id) return name;
    return nullptr;
}

} // namespace

unsigned LanguageIdOf(std::string_view name) {
    for (const auto& [lid, lname] : kLanguages)
        if (AnsiSameText(lname, name)) return lid;
    return 1033;
}

std::string LanguageNameOf(unsigned languageId, const std::function<std::string(unsigned)>& systemEnglishName) {
    if (const char* name = TableName(languageId)) return name;
    const unsigned mapped = LanguageIdOf(systemEnglishName ? systemEnglishName(languageId) : std::string());
    return mapped == 1033 ? std::string() : TableName(mapped);
}

} // namespace zk::startup
