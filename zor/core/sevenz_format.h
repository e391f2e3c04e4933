// Constants of the 7z container: signature, property ids and method ids.
#pragma once
#include <cstdint>
#include <vector>

namespace zor::format {

inline constexpr uint8_t kSignature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
inline constexpr std::size_t kSignatureHeaderSize = 32;

enum PropertyId : uint8_t {
    kEnd = 0x00,
    kHeader = 0x01,
    kArchiveProperties = 0x02,
    kAdditionalStreamsInfo = 0x03,
    kMainStreamsInfo = 0x04,
    kFilesInfo = 0x05,
    kPackInfo = 0x06,
    kUnpackInfo = 0x07,
    kSubStreamsInfo = 0x08,
    kSize = 0x09,
    kCrc = 0x0A,
    kFolder = 0x0B,
    kCodersUnpackSize = 0x0C,
    kNumUnpackStream = 0x0D,
    kEmptyStream = 0x0E,
    kEmptyFile = 0x0F,
    kAnti = 0x10,
    kName = 0x11,
    kCTime = 0x12,
    kATime = 0x13,
    kMTime = 0x14,
    kWinAttributes = 0x15,
    kComment = 0x16,
    kEncodedHeader = 0x17,
    kStartPos = 0x18,
    kDummy = 0x19,
};

inline const std::vector<uint8_t> kMethodCopy = {0x00};
inline const std::vector<uint8_t> kMethodDelta = {0x03};
inline const std::vector<uint8_t> kMethodLzma = {0x03, 0x01, 0x01};
inline const std::vector<uint8_t> kMethodLzma2 = {0x21};
inline const std::vector<uint8_t> kMethodBcjX86 = {0x03, 0x03, 0x01, 0x03};
inline const std::vector<uint8_t> kMethodBcj2 = {0x03, 0x03, 0x01, 0x1B};
inline const std::vector<uint8_t> kMethodAes = {0x06, 0xF1, 0x07, 0x01};

inline constexpr uint32_t kAttributeDirectory = 0x10;

} // namespace zor::format
