// Filters of 7z folders: x86 branch converter (BCJ), BCJ2 (four streams) and Delta.
#pragma once
#include "zor/core/byte_source.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace zor {

// Converts x86 CALL/JMP targets in place; returns how many leading bytes are final.
// `state` carries the converter state between calls; `ip` is the offset of data[0].
std::size_t X86Convert(uint8_t* data, std::size_t size, uint32_t ip, uint32_t& state,
                       bool encoding);

std::unique_ptr<ByteSource> MakeBcjX86Decoder(std::unique_ptr<ByteSource> input,
                                              uint64_t unpackSize);
std::unique_ptr<ByteSource> MakeDeltaDecoder(std::unique_ptr<ByteSource> input,
                                             const std::vector<uint8_t>& props,
                                             uint64_t unpackSize);
// inputs: main stream, call stream, jump stream, range-coded stream.
std::unique_ptr<ByteSource> MakeBcj2Decoder(std::vector<std::unique_ptr<ByteSource>> inputs,
                                            uint64_t unpackSize);

} // namespace zor
