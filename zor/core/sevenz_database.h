// The parsed contents of a 7z header: pack streams, folders (coder graphs),
// their sub-streams and the file list.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zor {

struct Coder {
    std::vector<uint8_t> methodId;
    uint32_t numInStreams = 1;
    uint32_t numOutStreams = 1;
    std::vector<uint8_t> props;
};

struct BindPair {
    uint32_t inIndex = 0;
    uint32_t outIndex = 0;
};

struct Folder {
    std::vector<Coder> coders;
    std::vector<BindPair> bindPairs;
    std::vector<uint32_t> packedStreams; // in-stream indices fed by pack streams
    std::vector<uint64_t> unpackSizes;   // one per out stream
    bool hasCrc = false;
    uint32_t crc = 0;
    std::size_t firstPackStream = 0;
    uint64_t numUnpackStreams = 1;

    uint32_t MainOutStream() const;
    uint64_t UnpackSize() const { return unpackSizes.at(MainOutStream()); }
    bool IsEncrypted() const;
};

struct StreamsInfo {
    uint64_t packPos = 0;
    std::vector<uint64_t> packSizes;
    std::vector<Folder> folders;
    // Sub-streams of all folders, in order.
    std::vector<uint64_t> subSizes;
    std::vector<bool> subHasCrc;
    std::vector<uint32_t> subCrcs;
};

struct FileItem {
    std::u16string name;
    bool hasStream = false;
    bool isDirectory = false;
    bool isAnti = false;
    uint64_t size = 0;
    bool hasCrc = false;
    uint32_t crc = 0;
    bool hasMTime = false;
    uint64_t mtime = 0;
    bool hasAttributes = false;
    uint32_t attributes = 0;
    std::size_t folder = SIZE_MAX; // folder holding its data
};

struct ArchiveDatabase {
    StreamsInfo streams;
    std::vector<FileItem> files;
    std::vector<uint64_t> packOffsets; // absolute file offsets of the pack streams
};

} // namespace zor
