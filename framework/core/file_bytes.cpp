#include "framework/core/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/core/sysutils.h"

namespace {

[[noreturn]] void OpenError(const std::string& fileName, const std::string& reason) {
    throw EFOpenError(Format("Cannot open file \"%s\". %s", DisplayFileName(ExpandFileName(fileName)), reason));
}

// "1 MB" for whole mebibytes, else the byte count.
std::string SizeText(std::size_t bytes) {
    constexpr std::size_t kMB = 1024 * 1024;
    if (bytes >= kMB && bytes % kMB == 0) return IntToStr(static_cast<int64_t>(bytes / kMB)) + " MB";
    return IntToStr(static_cast<int64_t>(bytes)) + " bytes";
}

// Closes the descriptor however reading ends.
struct FileDescriptor {
    int Fd;
    ~FileDescriptor() {
        if (Fd >= 0) close(Fd);
    }
};

}  // namespace

std::string ReadFileBytes(const std::string& fileName, std::size_t maxBytes) {
    if (fileName.empty()) OpenError(fileName, SysErrorMessage(ENOENT));
    // Non-blocking, so that opening a named pipe returns at once instead of waiting.
    FileDescriptor file{open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.Fd < 0) OpenError(fileName, SysErrorMessage(errno));
    struct stat st;
    if (fstat(file.Fd, &st) != 0) OpenError(fileName, SysErrorMessage(errno));
    if (S_ISDIR(st.st_mode)) OpenError(fileName, SysErrorMessage(EISDIR));
    if (!S_ISREG(st.st_mode)) OpenError(fileName, "It is not a regular file");
    const std::string tooLarge = "The file is larger than " + SizeText(maxBytes);
    if (static_cast<std::size_t>(st.st_size) > maxBytes) OpenError(fileName, tooLarge);

    std::string bytes;
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) {
            // The file grew while being read: read on, up to one byte past the limit.
            if (bytes.size() > maxBytes) OpenError(fileName, tooLarge);
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const ssize_t n = read(file.Fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) OpenError(fileName, SysErrorMessage(errno));
        if (n == 0) break;
        used += static_cast<std::size_t>(n);
    }
    if (used > maxBytes) OpenError(fileName, tooLarge);
    bytes.resize(used);
    return bytes;
}
