// The one text form of component property values, used both ways by the form
// host, by form loading and by dialog rules: booleans "True"/"False",
// enumerations and sets by identifier ("[akLeft,akTop]"), colours as the form
// file writes them (an identifier such as clBtnFace, else "$00BBGGRR"),
// numbers in decimal, string lists as lines joined by CR LF, binary data as hex.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ui/form_object.h"

namespace zk::ui {

enum class PropertyType {
    Boolean,
    Integer,
    Float,
    Text,
    Lines,
    Enumeration,
    Set,
    Colour,
    Reference,
    Binary,
    Raw
};

// A form value in the text form (integers decimal, lists as lines).
std::string PropertyText(const FormValue& value);

// The canonical text of `text` for a property of this type; nullopt when the
// text is no valid value. `choices` lists the identifiers of an enumeration or
// set (comma separated; empty accepts any identifier).
std::optional<std::string> NormalizePropertyText(PropertyType type, std::string_view choices,
                                                 std::string_view text);

bool ParseBooleanText(std::string_view text, bool& value);
bool ParseIntegerText(std::string_view text, std::int64_t& value);
// Colour as 0x00BBGGRR or a system colour (0xFF0000nn); false when unknown.
bool ParseColourText(std::string_view text, std::uint32_t& value);
std::vector<std::string> SplitPropertyLines(std::string_view text);
std::string JoinPropertyLines(const std::vector<std::string>& lines);
std::vector<std::string> SplitSetText(std::string_view text);

} // namespace zk::ui
