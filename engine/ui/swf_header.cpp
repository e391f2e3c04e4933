#include "engine/ui/swf_header.h"

#include <cstdint>

namespace zk::ui {

std::optional<SwfFrameSize> ReadSwfFrameSize(std::string_view bytes) {
    if (bytes.size() < 9 || bytes.substr(0, 3) != "FWS") return std::nullopt;
    std::size_t bit = 8 * 8;
    auto read = [&](int count, std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < count; ++i, ++bit) {
            if (bit / 8 >= bytes.size()) return false;
            auto byte = static_cast<unsigned char>(bytes[bit / 8]);
            out = (out << 1) | ((byte >> (7 - bit % 8)) & 1u);
        }
        return true;
    };
    std::uint32_t n = 0, xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    if (!read(5, n) || !read(static_cast<int>(n), xmin) || !read(static_cast<int>(n), xmax) ||
        !read(static_cast<int>(n), ymin) || !read(static_cast<int>(n), ymax))
        return std::nullopt;
    // Fields are signed; a negative maximum gives no sensible size.
    auto asSigned = [n](std::uint32_t v) -> std::int64_t {
        if (n == 0) return 0;
        return (v >> (n - 1)) & 1u ? static_cast<std::int64_t>(v) - (std::int64_t{1} << n) : v;
    };
    std::int64_t w = asSigned(xmax), h = asSigned(ymax);
    if (w < 0 || h < 0) return std::nullopt;
    return SwfFrameSize{static_cast<int>(w / 20), static_cast<int>(h / 20)};
}

} // namespace zk::ui
