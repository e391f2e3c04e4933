// The contract of zor.lib, the archive library beside the engine: four
// exported functions, the callbacks they take, the listing entry and the
// target-file record. Arguments documented as 32-bit are pointer-sized in the
// 64-bit build; __stdcall on i686, the native convention on x86_64.
//
// Error numbers (GetLastArchiveError):
//   1001 archive file not found          1007 cancelled by a callback
//   1002 illegal name in the target list  1008 unsupported method
//   1003 cannot open: unsupported archive  1009 a target name is not in the archive
//        or incorrect password             1010 a declared size/count beyond the caps
//   1004 data error (CRC, corrupt data)   1011 invalid argument
//   1005 an entry's path would leave the destination folder  1012 internal failure
//   1006 a destination file or folder cannot be written
#pragma once
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define ZOR_CALL __stdcall
#else
#define ZOR_CALL
#endif

#if defined(ZOR_BUILDING_DLL)
#define ZOR_API extern "C" __declspec(dllexport)
#elif defined(_WIN32)
#define ZOR_API extern "C" __declspec(dllimport)
#else
#define ZOR_API extern "C"
#endif

// Size of the buffer the library hands to the password callback (text plus terminator).
inline constexpr int kZorPasswordBufferSize = 1024;

// Copies a password into `buffer` and returns 1, or returns 0 when it has none (more).
using ZorPasswordCallback = int(ZOR_CALL*)(char* buffer);
// Current entry name, bytes done and in total over all selected entries; 0 stops.
using ZorProgressCallback = int(ZOR_CALL*)(const char* fileName, uint64_t done, uint64_t total);
// Called before each entry is written with (entry name, entry index); 0 stops.
using ZorEntryCallback = int(ZOR_CALL*)(intptr_t name, intptr_t index);
// Called when a target file exists, with (archive path, target path, existing size
// low/high, existing time low/high, new size low/high, new time low/high).
// Replies: 1 keep the existing file, 2 replace it, 3 stop, 4 replace it and all others.
using ZorAnswerCallback = int(ZOR_CALL*)(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                                         intptr_t, intptr_t, intptr_t, intptr_t);

inline constexpr int kZorAnswerKeep = 1;
inline constexpr int kZorAnswerReplace = 2;
inline constexpr int kZorAnswerStop = 3;
inline constexpr int kZorAnswerReplaceAll = 4;

// One listing entry; entries lie 48 bytes apart.
struct ZorListEntry {
    union {
        const char* name; // path inside the archive, "\" separated
        uint64_t namePad;
    };
    uint64_t size;       // offset 8: unpacked size
    uint64_t packedSize; // offset 16: 0 when unknown (solid blocks)
    uint32_t crc;        // offset 24
    uint32_t flags;      // offset 28: 1 folder, 2 CRC present, 4 encrypted
    uint64_t fileTime;   // offset 32: last write time (Windows file time), 0 when unknown
    uint32_t attributes; // offset 40: Windows file attributes
    uint32_t reserved;
};
static_assert(sizeof(ZorListEntry) == 48, "listing entries lie 48 bytes apart");

// Names of the entries to extract; an empty record extracts everything.
struct ZorTargetFiles {
    char** names;
    intptr_t count;
};

// archivePath; reserved (0); password callback; reserved (0, 0, 0); password;
// where to store the entry array and the entry count. Returns a handle, 0 on failure.
ZOR_API void* ZOR_CALL OpenListArchive(const char* archivePath, intptr_t reserved1,
                                       ZorPasswordCallback passwordCallback, intptr_t reserved2,
                                       intptr_t reserved3, intptr_t reserved4, const char* password,
                                       ZorListEntry** entries, int32_t* count);
ZOR_API void ZOR_CALL CloseListArchive(void* handle);
// archivePath; mode (1); destination folder; targets; flatten (non-zero: every file
// goes straight into the destination, folders dropped); password; callbacks.
// Non-zero when every target was extracted.
ZOR_API int ZOR_CALL ExtractArchive(const char* archivePath, intptr_t mode, const char* destination,
                                    const ZorTargetFiles* targets, intptr_t flatten,
                                    const char* password, ZorPasswordCallback passwordCallback,
                                    ZorProgressCallback progressCallback,
                                    ZorEntryCallback entryCallback,
                                    ZorAnswerCallback answerCallback);
ZOR_API int ZOR_CALL GetLastArchiveError(void);
