// Translation of command texts into the current setup language, over the
// translation tables of that language. Loading the tables from the support
// folder is LoadTranslations' job; it hands them over with SetTables.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/hashed_line_list.h"

namespace zk::script {

struct ScriptImage;

// The line-parallel tables of one language (missing files: empty lists).
struct TranslationTables {
    HashedLineList keys;          // product title + ".mtx"
    HashedLineList map;           // "translations.Map" (dialog file per line)
    HashedLineList languageTexts; // "translations." + language
    HashedLineList originalTexts; // "translations.Original"
};

// Build setting substitution ("#NAME#" -> value) of the script image.
using BuildSettingSubstitution = std::function<std::string(std::string_view)>;

// Key of a "Localization Variable": "ZIRIZERO$" + name + "$ZIRIZERO".
std::string LocalizationKey(std::string_view variableName);

// Used on the main thread only (commands and LoadTranslations).
class Translator {
  public:
    explicit Translator(BuildSettingSubstitution buildSettings);
    // Uses the image's build settings; the image must outlive the translator.
    explicit Translator(const ScriptImage& image);

    void SetTables(TranslationTables tables) { tables_ = std::move(tables); }
    const TranslationTables& Tables() const { return tables_; }

    // The translation of an already substituted text for a command (key =
    // its identifier) and slot (from 1), by the "#LOCMODE#" mode: "VARSONLY"
    // translates only localisation variables, "NEWONLY" only texts equal to
    // their untranslated line, anything else everything. The caller
    // substitutes the result again.
    std::string Translate(std::string_view text, std::string_view key, int slot) const;

  private:
    BuildSettingSubstitution buildSettings_;
    TranslationTables tables_;
};

} // namespace zk::script
