#include "engine/script/translation.h"

#include "common/ansi_case.h"
#include "engine/script/script_image.h"

namespace zk::script {

std::string LocalizationKey(std::string_view variableName) {
    return "ZIRIZERO$" + std::string(variableName) + "$ZIRIZERO";
}

Translator::Translator(BuildSettingSubstitution buildSettings)
    : buildSettings_(std::move(buildSettings)) {}

Translator::Translator(const ScriptImage& image)
    : buildSettings_(
          [&image](std::string_view text) { return image.SubstituteBuildSettings(text); }) {}

std::string Translator::Translate(std::string_view text, std::string_view key, int slot) const {
    const std::string mode = buildSettings_("#LOCMODE#");
    if (AnsiSameText(mode, "VARSONLY") && (key.find("ZIRIZERO$") == std::string_view::npos ||
                                           key.find("$ZIRIZERO") == std::string_view::npos))
        return std::string(text);
    const std::ptrdiff_t position = tables_.keys.IndexOf(key);
    if (position == HashedLineList::npos || slot < 1) return std::string(text);
    const std::ptrdiff_t line = position + slot - 1;
    if (AnsiSameText(mode, "NEWONLY") && text != tables_.originalTexts.Get(line))
        return std::string(text);
    return buildSettings_(tables_.languageTexts.Get(line));
}

} // namespace zk::script
