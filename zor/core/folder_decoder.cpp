#include "zor/core/folder_decoder.h"

#include "zor/core/archive_error.h"
#include "zor/core/filters.h"
#include "zor/core/lzma_decoders.h"
#include "zor/core/sevenz_format.h"

#include <algorithm>

namespace zor {

uint32_t Folder::MainOutStream() const {
    uint32_t total = 0;
    for (const Coder& c : coders)
        total += c.numOutStreams;
    for (uint32_t i = 0; i < total; ++i) {
        bool bound = std::any_of(bindPairs.begin(), bindPairs.end(),
                                 [i](const BindPair& bp) { return bp.outIndex == i; });
        if (!bound) return i;
    }
    throw ArchiveError(ArchiveErrorCode::CannotOpen, "Folder without a main stream");
}

bool Folder::IsEncrypted() const {
    return std::any_of(coders.begin(), coders.end(),
                       [](const Coder& c) { return c.methodId == format::kMethodAes; });
}

namespace {

// Passes at most `limit` bytes of its input through (the Copy method).
class LimitSource : public ByteSource {
  public:
    LimitSource(std::unique_ptr<ByteSource> in, uint64_t limit)
        : in_(std::move(in)), left_(limit) {}
    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        std::size_t n = in_->Read(buffer, std::min<uint64_t>(size, left_));
        left_ -= n;
        return n;
    }

  private:
    std::unique_ptr<ByteSource> in_;
    uint64_t left_;
};

class FolderBuilder {
  public:
    FolderBuilder(const StreamsInfo& s, const std::vector<uint64_t>& offsets, const Folder& f,
                  RandomAccessInput& input, PasswordProvider& passwords)
        : streams_(s), offsets_(offsets), folder_(f), input_(input), passwords_(passwords) {}

    std::unique_ptr<ByteSource> Output(uint32_t outIndex, unsigned depth) {
        if (depth > folder_.coders.size())
            throw ArchiveError(ArchiveErrorCode::CannotOpen, "Cyclic coder graph");
        // Locate the coder owning this out stream and its first in stream.
        uint32_t outBase = 0, inBase = 0;
        std::size_t coderIndex = 0;
        for (; coderIndex < folder_.coders.size(); ++coderIndex) {
            const Coder& c = folder_.coders[coderIndex];
            if (outIndex < outBase + c.numOutStreams) break;
            outBase += c.numOutStreams;
            inBase += c.numInStreams;
        }
        if (coderIndex == folder_.coders.size())
            throw ArchiveError(ArchiveErrorCode::CannotOpen, "Bad out stream");
        const Coder& coder = folder_.coders[coderIndex];
        std::vector<std::unique_ptr<ByteSource>> inputs;
        for (uint32_t j = 0; j < coder.numInStreams; ++j)
            inputs.push_back(Input(inBase + j, depth));
        uint64_t size = folder_.unpackSizes.at(outIndex);
        const auto& id = coder.methodId;
        auto single = [&]() -> std::unique_ptr<ByteSource> {
            if (inputs.size() != 1)
                throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad coder stream count");
            return std::move(inputs[0]);
        };
        if (id == format::kMethodCopy) return std::make_unique<LimitSource>(single(), size);
        if (id == format::kMethodLzma) return MakeLzmaDecoder(single(), coder.props, size);
        if (id == format::kMethodLzma2) return MakeLzma2Decoder(single(), coder.props, size);
        if (id == format::kMethodBcjX86) return MakeBcjX86Decoder(single(), size);
        if (id == format::kMethodDelta) return MakeDeltaDecoder(single(), coder.props, size);
        if (id == format::kMethodAes)
            return MakeAesDecoder(single(), coder.props, size, passwords_);
        if (id == format::kMethodBcj2) return MakeBcj2Decoder(std::move(inputs), size);
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Unsupported compression method");
    }

  private:
    std::unique_ptr<ByteSource> Input(uint32_t inIndex, unsigned depth) {
        for (const BindPair& bp : folder_.bindPairs) {
            if (bp.inIndex == inIndex) return Output(bp.outIndex, depth + 1);
        }
        for (std::size_t k = 0; k < folder_.packedStreams.size(); ++k) {
            if (folder_.packedStreams[k] != inIndex) continue;
            std::size_t pack = folder_.firstPackStream + k;
            if (pack >= streams_.packSizes.size())
                throw ArchiveError(ArchiveErrorCode::CannotOpen, "Bad pack stream");
            return std::make_unique<PackStreamSource>(input_, offsets_[pack],
                                                      streams_.packSizes[pack]);
        }
        throw ArchiveError(ArchiveErrorCode::CannotOpen, "Unconnected coder input");
    }

    const StreamsInfo& streams_;
    const std::vector<uint64_t>& offsets_;
    const Folder& folder_;
    RandomAccessInput& input_;
    PasswordProvider& passwords_;
};

} // namespace

std::unique_ptr<ByteSource> DecodeFolder(const StreamsInfo& streams,
                                         const std::vector<uint64_t>& packOffsets,
                                         std::size_t folderIndex, RandomAccessInput& input,
                                         PasswordProvider& passwords) {
    const Folder& folder = streams.folders.at(folderIndex);
    FolderBuilder builder(streams, packOffsets, folder, input, passwords);
    return builder.Output(folder.MainOutStream(), 0);
}

} // namespace zor
