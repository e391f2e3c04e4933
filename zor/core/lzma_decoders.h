// LZMA and LZMA2 decoders over the LZMA SDK's LzmaDec, as byte sources.
#pragma once
#include "zor/core/byte_source.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zor {

// Largest dictionary the reader allocates; the buffer is also never larger
// than the stream's declared unpacked size.
inline constexpr uint64_t kMaxDictionarySize = uint64_t(1) << 30;

// Both produce at most `unpackSize` bytes.
std::unique_ptr<ByteSource> MakeLzmaDecoder(std::unique_ptr<ByteSource> input,
                                            const std::vector<uint8_t>& props, uint64_t unpackSize);
std::unique_ptr<ByteSource> MakeLzma2Decoder(std::unique_ptr<ByteSource> input,
                                             const std::vector<uint8_t>& props,
                                             uint64_t unpackSize);

} // namespace zor
