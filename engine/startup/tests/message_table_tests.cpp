#include <gtest/gtest.h>

#include "engine/startup/engine_context.h"
#include "engine/startup/language_names.h"
#include "engine/startup/message_table.h"

namespace zk::startup {
namespace {

std::vector<std::string> Block(const std::string& prefix) {
    std::vector<std::string> lines;
    for (int i = 1; i <= MessageTable::kSlots; ++i) lines.push_back(prefix + std::to_string(i));
    return lines;
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

TEST(MessageTable, BuiltInTextsSitInTheirSlots) {
    MessageTable table;
    EXPECT_EQ(table.Text(2), "Setup resource not found");
    EXPECT_EQ(table.Text(20), "Runtime error in setup script:");
    EXPECT_EQ(table.Text(54), "");
    EXPECT_EQ(table.Text(88).substr(0, 22), "A previously executed ");
    EXPECT_EQ(table.Text(112), "Unable to play Flash movie");
    EXPECT_EQ(table.Text(115), "Entire feature will be &unavailable");
    EXPECT_EQ(table.Text(116), "");
}

TEST(MessageTable, LanguageFileStopsAfterTheUserLanguage) {
    MessageTable table;
    table.ApplyLanguageFile(Join({Block("def"), {"German"}, Block("de"), {"French"}, Block("fr")}), "GERMAN");
    EXPECT_EQ(table.Text(3), "de3");
}

TEST(MessageTable, WithoutAMatchTheLastBlockReadStays) {
    MessageTable table;
    table.ApplyLanguageFile(Join({Block("def"), {"German"}, Block("de"), {"French"}, Block("fr")}), "Italian");
    EXPECT_EQ(table.Text(1), "fr1");
}

TEST(MessageTable, ShortFileReplacesOnlyTheSlotsItHas) {
    MessageTable table;
    table.ApplyLanguageFile({"first", "second"}, "English");
    EXPECT_EQ(table.Text(2), "second");
    EXPECT_EQ(table.Text(3), "Setup resource decompression failure");
}

TEST(LanguageNames, TableAndSystemFallback) {
    auto system = [](unsigned id) -> std::string {
        if (id == 2055) return "German";  // German (Switzerland)
        if (id == 2057) return "English"; // English (United Kingdom)
        return "Klingon";
    };
    EXPECT_EQ(LanguageNameOf(1031, system), "German");
    EXPECT_EQ(LanguageNameOf(2055, system), "German");
    EXPECT_EQ(LanguageNameOf(2057, system), "");
    EXPECT_EQ(LanguageNameOf(9999, system), "");
    EXPECT_EQ(LanguageIdOf("portugese (brazil)"), 1046u);
    EXPECT_EQ(LanguageIdOf("Klingon"), 1033u);
}

TEST(EngineCaption, FollowsTitleAndLogoFlag) {
    EXPECT_EQ(EngineCaption("", false), "Korvane Wizard");
    EXPECT_EQ(EngineCaption("Product", false), "Product - Korvane Wizard");
    EXPECT_EQ(EngineCaption("Product", true), "Product");
    EXPECT_EQ(EngineCaption("", true), "");
}

} // namespace
} // namespace zk::startup
