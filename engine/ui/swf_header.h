// Frame size of a Flash movie from its file header.
#pragma once
#include <optional>
#include <string_view>

namespace zk::ui {

struct SwfFrameSize {
    int width = 0; // pixels
    int height = 0;
};

// Reads the bit-packed frame rectangle at byte 8 of an uncompressed ("FWS")
// movie: width = Xmax / 20, height = Ymax / 20. Compressed movies ("CWS",
// "ZWS") keep the rectangle inside the compressed stream: nullopt, as for
// data too short or not a movie.
std::optional<SwfFrameSize> ReadSwfFrameSize(std::string_view bytes);

} // namespace zk::ui
