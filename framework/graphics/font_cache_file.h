// The file realised fonts are kept in between starts: its bytes, written and read back in
// one order, and the stamps of the files and folders that decide whether it still holds
// (the font files, fontconfig's folders and configuration, the program and its font
// libraries). A cache: whatever is wrong with it, fonts are realised as if it were absent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/base/byte_stream.h"

// What a file or folder looked like when stamped: absent, or its identity, size and times
// of last change (a copy that keeps the time still gets a new inode and change time).
struct TFileStamp {
    std::string Path;
    bool Exists = false;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
    int64_t ChangedNs = 0;

    static TFileStamp Take(const std::string& path);
    bool StillHolds() const { return Take(Path) == *this; }
    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};
void Write(TByteWriter& out, const TFileStamp& stamp);
void Read(TByteReader& in, TFileStamp& stamp);

// An XDG base folder: the variable when it holds an absolute path, else $HOME + fallback
// ("/.cache"); "" when neither is set. HomeFolder is $HOME + below, or "".
std::string XdgFolder(const char* variable, const char* fallback);
std::string HomeFolder(const char* below);

// Stamps of folder and of every folder below it: a font added anywhere in it changes one.
void StampFolderTree(const std::string& folder, std::vector<TFileStamp>& out);

// The whole file, or nothing when it is missing, not a plain file, unreadable or larger
// than maxBytes.
std::optional<std::string> ReadCacheFile(const std::string& path, std::size_t maxBytes);
// Writes bytes to a new file beside path, then renames it over path, so that a reader
// finds the old file or the new one, never a part; makes the folder when it is missing.
bool ReplaceCacheFile(const std::string& path, std::string_view bytes);

// A 64-bit sum in the manner of FNV-1a, eight bytes a step, that tells a torn or damaged
// file from the one written.
uint64_t CacheChecksum(std::string_view bytes);
