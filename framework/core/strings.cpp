// Sections: TStrings, saving to a file, TStringList.
#include "framework/core/strings.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>

#include "framework/core/scope_guards.h"

// ---------------------------------------------------------------- TStrings

void TStrings::Put(int index, const std::string& s) {
    TStringsUpdate update(this);
    Delete(index);
    Insert(index, s);
}

int TStrings::Add(const std::string& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i) Add(other.Get(i));
    EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(Get(i), s)) return i;
    return -1;
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> out;
    out.reserve(Count());
    for (int i = 0; i < Count(); ++i) out.push_back(Get(i));
    return out;
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += "\r\n";
    }
    return out;
}

void TStrings::SetText(const std::string& text) {
    TStringsUpdate update(this);
    Clear();
    size_t i = 0;
    while (i < text.size()) {
        size_t j = text.find_first_of("\r\n", i);
        if (j == std::string::npos) {
            Add(text.substr(i));
            break;
        }
        Add(text.substr(i, j - i));
        i = j + ((text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ? 2 : 1);
    }
}

void TStrings::BeginUpdate() {
    // The state change is announced while the count is still 0, so it is heard.
    if (FUpdateCount == 0) SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* source) {
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other == this) return;
        std::vector<std::string> lines = other->ToVector();
        TStringsUpdate update(this);
        Clear();
        for (const std::string& s : lines) Add(s);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::IndexError(int index) { throw EStringListError(Format("List index out of bounds (%d)", index)); }

// ---------------------------------------------------------------- saving to a file
//
// A regular file is replaced by a new file written beside it and renamed over it, so that
// the old content survives any failure. The new file has no name while it is written (where
// the file system allows that), so nothing can be left behind, whatever ends the save. Where
// a rename cannot stand in for the file (a folder that refuses new files, other hard links
// that must see the new content, a mount point) the file is written in place with its old
// content kept to be put back. A character device is written directly, never waited on for
// long; anything else (a named pipe, a socket) is refused, since writing to it could block
// the window for good.

namespace {

[[noreturn]] void CreateError(const std::string& fileName, std::string_view reason) {
    throw EFCreateError(Format("Cannot create file \"%s\". %s", DisplayFileName(ExpandFileName(fileName)), reason));
}

[[noreturn]] void CreateError(const std::string& fileName, int error) { CreateError(fileName, SysErrorMessage(error)); }

[[noreturn]] void WriteError() { throw EWriteError("Stream write error"); }

// How long a device may keep a save waiting for room before the save gives up.
constexpr int kDeviceWaitMs = 5000;

// The file a name finally stands for, with symbolic links followed; a dangling link stands
// for the file it names. Returns 0 or the error number.
int ResolveLinks(const std::string& name, std::string& target) {
    target = name;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::string link(st.st_size > 0 ? st.st_size + 1 : 4096, '\0');
        ssize_t n = readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return errno;
        link.resize(n);
        target = (!link.empty() && link[0] == '/') ? link : ExtractFilePath(target) + link;
    }
    return ELOOP;
}

// A descriptor closed when the scope ends, unless Close() already did (and reported how).
struct TFd {
    int Fd = -1;
    TFd() = default;
    explicit TFd(int fd) : Fd(fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() {
        if (Fd >= 0) close(Fd);
    }
    bool Close() {
        const int fd = Fd;
        Fd = -1;
        return close(fd) == 0;
    }
};

// Every byte of data to fd; false when the disk refuses some (short write, ENOSPC, EFBIG)
// or a device takes none for kDeviceWaitMs.
bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        ssize_t n = write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{fd, POLLOUT, 0};
            int ready;
            do ready = poll(&p, 1, kDeviceWaitMs);
            while (ready < 0 && errno == EINTR);
            if (ready <= 0) return false;
            continue;
        }
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// data at the start of the file; written counts the bytes that reached it.
bool WriteAt0(int fd, std::string_view data, size_t& written) {
    written = 0;
    while (written < data.size()) {
        ssize_t n = pwrite(fd, data.data() + written, data.size() - written, static_cast<off_t>(written));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        written += static_cast<size_t>(n);
    }
    return true;
}

// The whole content of a regular file; false (errno set) when it cannot be read.
bool ReadAll(int fd, std::string& out) {
    out.clear();
    char buf[65536];
    for (;;) {
        ssize_t n = pread(fd, buf, sizeof buf, static_cast<off_t>(out.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        out.append(buf, static_cast<size_t>(n));
    }
}

// A hidden name beside the target for the new content: "." + the target's name + "." + six
// random hex digits + ".tmp", the target's name cut (at a character boundary) so that the
// whole stays within the folder's name limit, however long a valid name the user chose.
std::string TemporaryName(const std::string& folder, const std::string& base, std::mt19937& random) {
    long limit = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX;
    char suffix[16];
    snprintf(suffix, sizeof suffix, ".%06x.tmp", static_cast<unsigned>(random() & 0xFFFFFF));
    const long room = limit - 1 - static_cast<long>(strlen(suffix));
    size_t keep = std::min(base.size(), static_cast<size_t>(std::max(room, 0L)));
    while (keep > 0 && keep < base.size() && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
    return folder + "." + base.substr(0, keep) + suffix;
}

// The new content's own file in the target's folder. It is removed again unless the rename
// has made it the target; an unnamed one vanishes by itself when closed.
struct TReplacement {
    TFd File;
    std::string Path;  // empty while the file has no name
    bool Renamed = false;
    ~TReplacement() {
        if (!Renamed && !Path.empty()) unlink(Path.c_str());
    }
};

// Opens the replacement: unnamed when the file system can, otherwise under a temporary
// name. Returns 0 or the error number (EACCES: the folder refuses new files).
int CreateReplacement(TReplacement& r, const std::string& folder, const std::string& base, bool unnamed,
                      std::mt19937& random) {
    // 0666 less the umask: what a newly created target would have got.
    if (unnamed) {
        int fd = open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            r.File.Fd = fd;
            return 0;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = TemporaryName(folder, base, random);
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            r.File.Fd = fd;
            r.Path = path;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// Gives an unnamed replacement its temporary name, just before the rename. Returns 0 or the
// error number (ENOENT where neither way of naming it is open to us).
int NameReplacement(TReplacement& r, const std::string& folder, const std::string& base, std::mt19937& random) {
    if (!r.Path.empty()) return 0;
    char self[40];
    snprintf(self, sizeof self, "/proc/self/fd/%d", r.File.Fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string path = TemporaryName(folder, base, random);
        // The first needs a privilege; the second a mounted /proc.
        if (linkat(r.File.Fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0 ||
            linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            r.Path = path;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// Writes bytes over the target's own content. The old content is read first and written
// back if the new one stops part-way, so a failure leaves the file as it was whenever we may
// read it (a file we may only write is written as it stands).
void WriteInPlace(const std::string& fileName, const std::string& target, const std::string& bytes) {
    bool canRestore = true;
    TFd fd(open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (fd.Fd < 0 && errno == EACCES) {
        canRestore = false;
        fd.Fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd.Fd < 0) CreateError(fileName, errno);
    struct stat st;
    if (fstat(fd.Fd, &st) != 0) CreateError(fileName, errno);
    if (!S_ISREG(st.st_mode)) CreateError(fileName, "Not a regular file");
    std::string old;
    if (canRestore && !ReadAll(fd.Fd, old)) CreateError(fileName, errno);

    size_t written = 0;
    if (WriteAt0(fd.Fd, bytes, written) && ftruncate(fd.Fd, static_cast<off_t>(bytes.size())) == 0 &&
        fsync(fd.Fd) == 0 && fd.Close())
        return;
    if (canRestore && fd.Fd >= 0) {
        // Only the bytes overwritten so far differ from the old content.
        size_t restored = 0;
        if (WriteAt0(fd.Fd, std::string_view(old).substr(0, std::min(written, old.size())), restored) &&
            ftruncate(fd.Fd, static_cast<off_t>(old.size())) == 0)
            fsync(fd.Fd);
    }
    WriteError();
}

// A character device (a terminal, /dev/null) takes the bytes as they come.
void WriteToDevice(const std::string& fileName, const std::string& target, const std::string& bytes) {
    TFd fd(open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Fd < 0) CreateError(fileName, errno);
    struct stat st;
    if (fstat(fd.Fd, &st) != 0) CreateError(fileName, errno);
    if (!S_ISCHR(st.st_mode)) CreateError(fileName, "Not a regular file");
    if (!WriteAll(fd.Fd, bytes) || !fd.Close()) WriteError();
}

// Why a target that is neither a regular file nor a character device is not written.
const char* RefusedKind(mode_t mode) {
    if (S_ISFIFO(mode)) return "Is a named pipe";
    if (S_ISSOCK(mode)) return "Is a socket";
    if (S_ISBLK(mode)) return "Is a block device";
    return "Not a regular file";
}

// The outcome of trying the replacement: done, or the rename route is closed and the file
// must be written in place.
enum class TReplaced { Done, InPlace };

TReplaced Replace(const std::string& fileName, const std::string& target, const std::string& bytes,
                  const struct stat* old, bool unnamed) {
    const std::string folder = ExtractFilePath(target);
    const std::string base = ExtractFileName(target);
    std::mt19937 random(std::random_device{}());
    TReplacement r;
    if (int err = CreateReplacement(r, folder, base, unnamed, random)) {
        // A folder that refuses new files may still hold a file we may write.
        if (old && (err == EACCES || err == EPERM)) return TReplaced::InPlace;
        CreateError(fileName, err);
    }
    if (old) {
        // Owner first: changing it clears set-id bits, which the mode then restores. Either
        // may be refused to an ordinary user; the file is then theirs with the same bits.
        int ownerKept = fchown(r.File.Fd, old->st_uid, old->st_gid);
        (void)ownerKept;
        if (fchmod(r.File.Fd, old->st_mode & 07777) != 0) CreateError(fileName, errno);
    }
    if (!WriteAll(r.File.Fd, bytes) || fsync(r.File.Fd) != 0) WriteError();
    if (int err = NameReplacement(r, folder, base, random)) {
        // Nothing can name an unnamed file here: write a named one instead.
        if (err == EEXIST) CreateError(fileName, err);
        return Replace(fileName, target, bytes, old, false);
    }
    if (!r.File.Close()) WriteError();
    if (rename(r.Path.c_str(), target.c_str()) != 0) {
        // A file mounted over cannot be renamed onto; it can still be written.
        if (old && errno == EBUSY) return TReplaced::InPlace;
        CreateError(fileName, errno);
    }
    r.Renamed = true;
    // Make the new name itself durable; a folder that cannot be opened or synced changes
    // nothing about the file, which is complete either way.
    TFd dir(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Fd >= 0) fsync(dir.Fd);
    return TReplaced::Done;
}

}  // namespace

void TStrings::SaveToFile(const std::string& fileName) const {
    const std::string bytes = Text();
    if (fileName.empty()) CreateError(fileName, ENOENT);

    std::string target;
    if (int err = ResolveLinks(fileName, target)) CreateError(fileName, err);

    struct stat st;
    const bool exists = stat(target.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) CreateError(fileName, errno);
    if (exists) {
        if (S_ISDIR(st.st_mode)) CreateError(fileName, EISDIR);
        if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode)) CreateError(fileName, RefusedKind(st.st_mode));
        // rename would replace a file we may not write, so ask first.
        if (access(target.c_str(), W_OK) != 0) CreateError(fileName, errno);
        if (S_ISCHR(st.st_mode)) {
            WriteToDevice(fileName, target, bytes);
            return;
        }
        // Every other name of the file must see the new content.
        if (st.st_nlink > 1) {
            WriteInPlace(fileName, target, bytes);
            return;
        }
    }
    if (Replace(fileName, target, bytes, exists ? &st : nullptr, true) == TReplaced::InPlace)
        WriteInPlace(fileName, target, bytes);
}

// ---------------------------------------------------------------- TStringList

std::string TStringList::Get(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return FList[index];
}

void TStringList::Put(int index, const std::string& s) {
    if (index < 0 || index >= Count()) IndexError(index);
    Changing();
    FList[index] = s;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) IndexError(index);
    Changing();
    FList.insert(FList.begin() + index, s);
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) IndexError(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating) Changing();
    else Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}
