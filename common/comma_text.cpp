#include "common/comma_text.h"

namespace zk {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
    return out;
}

} // namespace

std::string JoinCommaText(const std::vector<std::string>& items) {
    if (items.size() == 1 && items[0].empty()) return "\"\"";
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& s = items[i];
        bool needsQuote = false;
        for (char c : s)
            if (IsBlankOrControl(c) || c == '"' || c == ',') needsQuote = true;
        if (i) out += ',';
        out += needsQuote ? Quote(s) : s;
    }
    return out;
}

std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> items;
    std::size_t p = 0;
    const std::size_t n = text.size();
    auto skipBlanks = [&] {
        while (p < n && text[p] != '\0' && IsBlankOrControl(text[p])) ++p;
    };
    skipBlanks();
    while (p < n && text[p] != '\0') {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < n) {
                if (text[p] == '"') {
                    if (p + 1 < n && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            std::size_t start = p;
            while (p < n && !IsBlankOrControl(text[p]) && text[p] != ',') ++p;
            item.assign(text.substr(start, p - start));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (p < n && text[p] == ',') {
            if (p + 1 >= n) items.emplace_back(); // a trailing comma ends with an empty item
            do {
                ++p;
            } while (p < n && text[p] != '\0' && IsBlankOrControl(text[p]));
        }
    }
    return items;
}

} // namespace zk
