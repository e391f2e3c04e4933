// The engine's extraction wrapper over zor.lib (Windows layer): List, Extract
// and Move tree. Callbacks left empty get the engine's defaults: the password
// callback replies the given password once, the entry callback replies 1, the
// answer callback replies 4 (answer flag set) or 1, the progress callback 1.
// The default callbacks keep their state per thread (one extraction at a time
// per thread, as the library calls back on the calling thread).
#pragma once
#include "zor/api/zor_api.h"

#include <string>
#include <vector>

namespace zk::media {

struct ZorCallbacks {
    ZorPasswordCallback password = nullptr;
    ZorEntryCallback second = nullptr;
    ZorAnswerCallback answer = nullptr;
    ZorProgressCallback progress = nullptr;
};

// Appends every entry name to `names`. False with the listing error text on failure.
bool ZorList(const std::string& archivePath, const std::string& password,
             ZorPasswordCallback passwordCallback, std::vector<std::string>& names,
             std::string& errorText);

// Extracts `fileNames` (all entries, listed first, when null) into `destination`.
// `extractionFlag` keeps the folders of the archive; false puts every file
// straight into the destination. False with "#" + error number (or List's text).
bool ZorExtract(const std::string& archivePath, const std::string& password,
                const std::string& destination, const ZorCallbacks& callbacks,
                const std::vector<std::string>* fileNames, bool answerFlag, bool extractionFlag,
                std::string& errorText);

// Moves (or copies) every file below `source` to the same place below `destination`.
// Stops at the first failure and returns false; after a move the source folder is removed.
bool MoveTree(const std::string& source, const std::string& destination, bool move);

} // namespace zk::media
