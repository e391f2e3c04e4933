// Helpers of the native reader/writer tests: the fixture tree and an in-memory sink.
#pragma once
#include "zor/core/archive_reader.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace zor::test {

struct TreeItem {
    bool isDirectory = false;
    std::vector<uint8_t> data;
};
// Relative path ("\" separated, Windows-1252 names) -> item, for everything below `root`.
std::map<std::string, TreeItem> ReadTree(const std::filesystem::path& root);

// Extracts every entry of `reader` into a tree of the same shape.
std::map<std::string, TreeItem> ExtractAll(ArchiveReader& reader);

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& data);

// A fresh empty folder under the test temporary folder.
std::filesystem::path FreshDir(const std::string& name);

// Runs a shell command; returns its exit status.
int RunCommand(const std::string& command);

std::filesystem::path FixtureDir();

// Windows-1252 text as UTF-8 (for command lines of native tools).
std::string AnsiToUtf8(const std::string& ansi);

} // namespace zor::test
