#include "zor/core/entry_path.h"

#include "zor/core/archive_error.h"

#include <array>

namespace zor {
namespace {

[[noreturn]] void Unsafe() {
    throw ArchiveError(ArchiveErrorCode::UnsafePath, "An archive entry has an unsafe path");
}

char16_t Upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

bool IsDeviceName(std::u16string_view name) {
    // The device is matched on the part before the first dot ("CON.txt" is CON too).
    std::u16string base;
    for (char16_t c : name) {
        if (c == u'.') break;
        base.push_back(Upper(c));
    }
    while (!base.empty() && base.back() == u' ')
        base.pop_back();
    static const std::array<std::u16string_view, 8> fixed = {
        u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$", u"CLOCK$", u"$MFT"};
    for (auto d : fixed) {
        if (base == d) return true;
    }
    if (base.size() == 4 && (base.compare(0, 3, u"COM") == 0 || base.compare(0, 3, u"LPT") == 0)) {
        char16_t d = base[3];
        // COM1-9, LPT1-9 and the superscript digits Windows also treats as devices.
        if ((d >= u'0' && d <= u'9') || d == u'\u00B9' || d == u'\u00B2' || d == u'\u00B3')
            return true;
    }
    return false;
}

} // namespace

std::vector<std::u16string> SafePathComponents(std::u16string_view path) {
    if (path.empty()) Unsafe();
    if (path[0] == u'/' || path[0] == u'\\') Unsafe(); // absolute or UNC
    std::vector<std::u16string> parts;
    std::u16string cur;
    auto finish = [&]() {
        if (cur.empty() || cur == u".") {
            cur.clear();
            return;
        }
        if (cur == u"..") Unsafe();
        if (cur.back() == u'.' || cur.back() == u' ') Unsafe();
        if (IsDeviceName(cur)) Unsafe();
        parts.push_back(cur);
        cur.clear();
    };
    for (char16_t c : path) {
        if (c == u'/' || c == u'\\') {
            finish();
            continue;
        }
        if (c < 0x20 || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' ||
            c == u'>' || c == u'|') {
            Unsafe();
        }
        cur.push_back(c);
    }
    finish();
    if (parts.empty()) Unsafe();
    return parts;
}

} // namespace zor
