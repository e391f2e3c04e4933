#include "engine/script/variable_text.h"

#include "common/ansi_case.h"

namespace zk::script {

bool IsPureReference(std::string_view text) {
    return text.size() >= 2 && text.front() == '$' && text.find('$', 1) == text.size() - 1;
}

std::string PureReferenceName(std::string_view text) {
    if (!IsPureReference(text)) return {};
    return std::string(text.substr(1, text.size() - 2));
}

std::string NameOrReference(std::string_view text) {
    return IsPureReference(text) ? PureReferenceName(text) : std::string(text);
}

std::string DecodeLineBreaks(std::string_view text) {
    if (text.find('$') == std::string_view::npos) return std::string(text);
    return AnsiReplaceText(text, "$NEWLINE$", "\r\n");
}

std::string EncodeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "$NEWLINE$";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string CollapsePathBackslashes(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 1);
    if (text.substr(0, 2) == "\\\\") out += '\\';
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') ++i;
    }
    return out;
}

bool IsTrueText(std::string_view text) {
    return text == "-1" || AnsiSameText(text, "TRUE");
}

} // namespace zk::script
