#include "quorvconfig/velmora_util/velmora_util.h"

#include <cstring>

namespace zk::velm {

namespace {
thread_local char* strtokNext = nullptr;

bool Is_Separator(char c, const char* separators) {
    return c != '\0' && std::strchr(separators, c) != nullptr;
}
} // namespace

char* Str_Strtok(char* text, const char* separators) {
    char* p = text != nullptr ? text : strtokNext;
    if (p == nullptr) return nullptr;
    while (Is_Separator(*p, separators))
        ++p;
    if (*p == '\0') {
        strtokNext = nullptr;
        return nullptr;
    }
    char* token = p;
    bool quoted = false;
    while (*p != '\0' && (quoted || !Is_Separator(*p, separators))) {
        if (*p == '"') quoted = !quoted;
        ++p;
    }
    if (*p != '\0') {
        *p = '\0';
        strtokNext = p + 1;
    } else {
        strtokNext = nullptr;
    }
    return token;
}

std::string Str_Strip_Quotes(const std::string& text) {
    if (text.empty() || text.front() != '"') return text;
    std::string inner = text.substr(1);
    if (!inner.empty() && inner.back() == '"') inner.pop_back();
    return inner;
}

std::string Str_Strip_Spaces(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

void Get_Generic_Name(const std::string& path, std::string& folder, std::string& baseName,
                      std::string& extension) {
    std::size_t cut = path.find_last_of("\\/:");
    folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    std::size_t dot = name.find_last_of('.');
    // A leading dot (".profile") names the file, it does not start an extension.
    if (dot == std::string::npos || dot == 0) {
        baseName = name;
        extension = "";
    } else {
        baseName = name.substr(0, dot);
        extension = name.substr(dot);
    }
}

} // namespace zk::velm
