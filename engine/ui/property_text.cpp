#include "engine/ui/property_text.h"

#include <charconv>

#include "common/ansi_case.h"
#include "engine/ui/form_writer.h"

namespace zk::ui {
namespace {

struct NamedColour {
    const char* name;
    std::uint32_t value;
};

// Named colours of the class library; system colours carry 0xFF000000 + index.
constexpr NamedColour kColours[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
    {"clHotLight", 0xFF00001A},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuBar", 0xFF00001E},
};

const NamedColour* FindColour(std::string_view name) {
    for (const auto& c : kColours)
        if (AnsiSameText(c.name, name)) return &c;
    return nullptr;
}

std::string Trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ')
        ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ')
        --b;
    return std::string(s.substr(a, b - a));
}

// The identifier among `choices` equal to `word` ignoring case, spelt as listed.
std::optional<std::string> Choose(std::string_view choices, std::string_view word) {
    if (word.empty()) return std::nullopt;
    for (char c : word)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.'))
            return std::nullopt;
    if (choices.empty()) return std::string(word);
    std::size_t at = 0;
    while (at <= choices.size()) {
        std::size_t comma = choices.find(',', at);
        if (comma == std::string_view::npos) comma = choices.size();
        std::string_view choice = choices.substr(at, comma - at);
        if (AnsiSameText(choice, word)) return std::string(choice);
        at = comma + 1;
    }
    return std::nullopt;
}

} // namespace

std::string PropertyText(const FormValue& v) {
    switch (v.kind) {
    case FormValue::Kind::Integer:
        return std::to_string(v.integer);
    case FormValue::Kind::Float:
    case FormValue::Kind::Identifier:
    case FormValue::Kind::String:
        return v.text;
    case FormValue::Kind::Set: {
        std::string out = "[";
        for (std::size_t i = 0; i < v.setItems.size(); ++i) {
            if (i) out += ',';
            out += v.setItems[i];
        }
        return out + "]";
    }
    case FormValue::Kind::List: {
        std::vector<std::string> lines;
        for (const auto& item : v.items)
            lines.push_back(PropertyText(item));
        return JoinPropertyLines(lines);
    }
    case FormValue::Kind::Binary: {
        std::string hex = FormValueNotation(v);
        return hex.substr(1, hex.size() - 2);
    }
    case FormValue::Kind::Collection:
        return FormValueNotation(v);
    }
    return {};
}

bool ParseBooleanText(std::string_view text, bool& value) {
    std::string t = Trim(text);
    if (AnsiSameText(t, "True"))
        value = true;
    else if (AnsiSameText(t, "False"))
        value = false;
    else
        return false;
    return true;
}

bool ParseIntegerText(std::string_view text, std::int64_t& value) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    bool negative = t[0] == '-';
    std::size_t at = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (at < t.size() && t[at] == '$') {
        std::uint64_t v = 0;
        auto [ptr, ec] = std::from_chars(t.data() + at + 1, t.data() + t.size(), v, 16);
        if (ec != std::errc() || ptr != t.data() + t.size() || at + 1 == t.size()) return false;
        value = negative ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
        return true;
    }
    auto [ptr, ec] = std::from_chars(t.data() + at, t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size() || at == t.size()) return false;
    if (negative) value = -value;
    return true;
}

bool ParseColourText(std::string_view text, std::uint32_t& value) {
    std::string t = Trim(text);
    if (const NamedColour* c = FindColour(t)) {
        value = c->value;
        return true;
    }
    std::int64_t n = 0;
    if (!ParseIntegerText(t, n) || n < INT32_MIN || n > UINT32_MAX) return false;
    value = static_cast<std::uint32_t>(n);
    return true;
}

std::vector<std::string> SplitPropertyLines(std::string_view text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    std::size_t at = 0;
    for (;;) {
        std::size_t nl = text.find_first_of("\r\n", at);
        if (nl == std::string_view::npos) {
            lines.emplace_back(text.substr(at));
            break;
        }
        lines.emplace_back(text.substr(at, nl - at));
        at = nl + ((text[nl] == '\r' && nl + 1 < text.size() && text[nl + 1] == '\n') ? 2 : 1);
        if (at >= text.size()) break;
    }
    return lines;
}

std::string JoinPropertyLines(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out += "\r\n";
        out += lines[i];
    }
    return out;
}

std::vector<std::string> SplitSetText(std::string_view text) {
    std::string t = Trim(text);
    std::vector<std::string> items;
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return items;
    std::string_view body(t.data() + 1, t.size() - 2);
    std::size_t at = 0;
    while (at <= body.size()) {
        std::size_t comma = body.find(',', at);
        if (comma == std::string_view::npos) comma = body.size();
        std::string item = Trim(body.substr(at, comma - at));
        if (!item.empty()) items.push_back(item);
        at = comma + 1;
    }
    return items;
}

std::optional<std::string> NormalizePropertyText(PropertyType type, std::string_view choices,
                                                 std::string_view text) {
    switch (type) {
    case PropertyType::Boolean: {
        bool b = false;
        if (!ParseBooleanText(text, b)) return std::nullopt;
        return b ? "True" : "False";
    }
    case PropertyType::Integer: {
        std::int64_t n = 0;
        if (!ParseIntegerText(text, n)) return std::nullopt;
        return std::to_string(n);
    }
    case PropertyType::Float: {
        std::string t = Trim(text);
        double d = 0;
        auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), d);
        if (ec != std::errc() || t.empty()) return std::nullopt;
        (void)ptr;
        return t;
    }
    case PropertyType::Enumeration:
        return Choose(choices, Trim(text));
    case PropertyType::Reference: {
        std::string t = Trim(text);
        if (t.empty()) return t;
        return Choose("", t);
    }
    case PropertyType::Set: {
        std::string t = Trim(text);
        if (t.size() < 2 || t.front() != '[' || t.back() != ']') return std::nullopt;
        std::string out = "[";
        bool first = true;
        for (const auto& item : SplitSetText(t)) {
            auto chosen = Choose(choices, item);
            if (!chosen) return std::nullopt;
            out += (first ? "" : ",") + *chosen;
            first = false;
        }
        return out + "]";
    }
    case PropertyType::Colour: {
        std::string t = Trim(text);
        if (const NamedColour* c = FindColour(t)) return std::string(c->name);
        std::uint32_t v = 0;
        if (!ParseColourText(t, v)) return std::nullopt;
        for (const auto& c : kColours)
            if (c.value == v) return std::string(c.name);
        static const char* hex = "0123456789ABCDEF";
        std::string out = "$";
        for (int shift = 28; shift >= 0; shift -= 4)
            out += hex[(v >> shift) & 15];
        return out;
    }
    case PropertyType::Binary: {
        std::string out;
        for (char c : text) {
            if (static_cast<unsigned char>(c) <= ' ') continue;
            bool isHex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
            if (!isHex) return std::nullopt;
            out += AnsiUpperChar(c);
        }
        if (out.size() % 2) return std::nullopt;
        return out;
    }
    case PropertyType::Text:
    case PropertyType::Lines:
    case PropertyType::Raw:
        return std::string(text);
    }
    return std::nullopt;
}

} // namespace zk::ui
