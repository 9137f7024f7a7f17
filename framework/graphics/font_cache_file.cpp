#include "framework/graphics/font_cache_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/graphics/font.h"

// ---------------------------------------------------------------- checksum

uint64_t CacheChecksum(std::string_view bytes) {
    // Eight bytes a step: the file is read at every start.
    uint64_t sum = 14695981039346656037ull;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        sum = (sum ^ word) * 1099511628211ull;
        sum ^= sum >> 29;
    }
    for (; i < bytes.size(); ++i) sum = (sum ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    return sum;
}

// ---------------------------------------------------------------- stamps

TFileStamp TFileStamp::Take(const std::string& path) {
    TFileStamp stamp;
    stamp.Path = path;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return stamp;
    stamp.Exists = true;
    stamp.Inode = st.st_ino;
    stamp.Size = st.st_size;
    stamp.ModifiedNs = int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    stamp.ChangedNs = int64_t{st.st_ctim.tv_sec} * 1000000000 + st.st_ctim.tv_nsec;
    return stamp;
}

void Write(TByteWriter& out, const TFileStamp& stamp) {
    out(stamp.Path);
    out(stamp.Exists);
    out(stamp.Inode);
    out(stamp.Size);
    out(stamp.ModifiedNs);
    out(stamp.ChangedNs);
}

void Read(TByteReader& in, TFileStamp& stamp) {
    in(stamp.Path);
    in(stamp.Exists);
    in(stamp.Inode);
    in(stamp.Size);
    in(stamp.ModifiedNs);
    in(stamp.ChangedNs);
}

void StampFolderTree(const std::string& folder, std::vector<TFileStamp>& out) {
    out.push_back(TFileStamp::Take(folder));
    if (!out.back().Exists) return;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir) return;
    // Deep enough for any font tree; a loop of links ends here.
    if (out.size() > 4096) return;
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.' && (!entry->d_name[1] || (entry->d_name[1] == '.' && !entry->d_name[2]))) continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat st;
        if (entry->d_type == DT_DIR || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
                                        stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
            StampFolderTree(path, out);
    }
}

// ---------------------------------------------------------------- the file

namespace {

struct TDescriptor {
    int Fd;
    ~TDescriptor() {
        if (Fd >= 0) close(Fd);
    }
};

}  // namespace

std::optional<std::string> ReadCacheFile(const std::string& path, std::size_t maxBytes) {
    TDescriptor file{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat st;
    if (file.Fd < 0 || fstat(file.Fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t used = 0;
    while (used < bytes.size()) {
        const ssize_t n = read(file.Fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        used += static_cast<std::size_t>(n);
    }
    return bytes;
}

bool ReplaceCacheFile(const std::string& path, std::string_view bytes) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return false;
    // The folder and those above it; a cache folder is the user's own.
    for (std::size_t at = path.find('/', 1); at != std::string::npos && at <= slash; at = path.find('/', at + 1))
        if (mkdir(path.substr(0, at).c_str(), 0700) != 0 && errno != EEXIST) return false;
    std::string temporary = path + ".XXXXXX";
    TDescriptor file{mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.Fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(file.Fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && close(file.Fd) == 0;
    file.Fd = -1;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::string HomeFolder(const char* below) {
    const char* home = std::getenv("HOME");
    return home && home[0] == '/' ? std::string(home) + below : std::string();
}

std::string XdgFolder(const char* variable, const char* fallback) {
    if (const char* v = std::getenv(variable); v && v[0] == '/') return v;
    return HomeFolder(fallback);
}

std::string DefaultFontCacheFile(std::string_view program) {
    const std::string base = XdgFolder("XDG_CACHE_HOME", "/.cache");
    return base.empty() ? "" : base + "/" + std::string(program) + "/fonts";
}
