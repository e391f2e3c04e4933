// Parses 7z header bytes (a plain Header or the StreamsInfo of an EncodedHeader).
#pragma once
#include "zor/core/sevenz_database.h"

#include <cstddef>
#include <cstdint>

namespace zor {

// Caps on what a header may declare, checked before anything is allocated.
inline constexpr uint64_t kMaxHeaderSize = uint64_t(1) << 28;
inline constexpr uint64_t kMaxEntries = uint64_t(1) << 22;
inline constexpr uint32_t kMaxCoders = 32;

// A Header (after its kHeader byte). Throws ArchiveError CannotOpen on malformed input.
ArchiveDatabase ParseHeader(const uint8_t* data, std::size_t size);
// The StreamsInfo of an EncodedHeader (after its kEncodedHeader byte).
StreamsInfo ParseEncodedHeader(const uint8_t* data, std::size_t size);

} // namespace zor
