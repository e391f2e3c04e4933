// Builds the decoder chain of one folder: the byte source of its main output.
#pragma once
#include "zor/core/aes_coder.h"
#include "zor/core/byte_source.h"
#include "zor/core/sevenz_database.h"

#include <memory>

namespace zor {

std::unique_ptr<ByteSource> DecodeFolder(const StreamsInfo& streams,
                                         const std::vector<uint64_t>& packOffsets,
                                         std::size_t folderIndex, RandomAccessInput& input,
                                         PasswordProvider& passwords);

} // namespace zor
