// Sections: TStrings, saving to a file, TStringList.
#include "framework/strings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

// ---------------------------------------------------------------- TStrings

void TStrings::Put(int index, const std::string& s) {
    BeginUpdate();
    try {
        Delete(index);
        Insert(index, s);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
    BeginUpdate();
    try {
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
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
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
        BeginUpdate();
        try {
            Clear();
            for (const std::string& s : lines) Add(s);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::IndexError(int index) { throw EStringListError(Format("List index out of bounds (%d)", index)); }

// ---------------------------------------------------------------- saving to a file

namespace {

[[noreturn]] void CreateError(const std::string& fileName, int error) {
    throw EFCreateError(Format("Cannot create file \"%s\". %s", ExpandFileName(fileName), SysErrorMessage(error)));
}

[[noreturn]] void WriteError() { throw EWriteError("Stream write error"); }

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

// Every byte of data to fd; false when the disk refuses some (short write, ENOSPC, EFBIG).
bool WriteAll(int fd, const std::string& data) {
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Removes the temporary file unless the rename has made it the target.
struct TempFile {
    std::string Path;
    int Fd = -1;
    bool Keep = false;
    ~TempFile() {
        if (Fd >= 0) close(Fd);
        if (!Keep && !Path.empty()) unlink(Path.c_str());
    }
};

}  // namespace

void TStrings::SaveToFile(const std::string& fileName) const {
    const std::string bytes = Text();
    if (fileName.empty()) CreateError(fileName, ENOENT);

    std::string target;
    if (int err = ResolveLinks(fileName, target)) CreateError(fileName, err);

    struct stat st;
    bool exists = stat(target.c_str(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode)) CreateError(fileName, EISDIR);
        // rename would replace a file we may not write, so ask first.
        if (access(target.c_str(), W_OK) != 0) CreateError(fileName, errno);
        if (!S_ISREG(st.st_mode)) {
            // A device or pipe cannot be replaced by renaming; it is written in place.
            int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) CreateError(fileName, errno);
            bool ok = WriteAll(fd, bytes);
            if (close(fd) != 0) ok = false;
            if (!ok) WriteError();
            return;
        }
    }

    std::string folder = ExtractFilePath(target);
    std::string base = ExtractFileName(target);
    TempFile temp;
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100 && temp.Fd < 0; ++attempt) {
        char suffix[16];
        snprintf(suffix, sizeof suffix, "%06x", static_cast<unsigned>(random() & 0xFFFFFF));
        std::string path = folder + "." + base + "." + suffix + ".tmp";
        // 0666 less the umask: what a newly created target would have got.
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            temp.Path = path;
            temp.Fd = fd;
        } else if (errno != EEXIST) {
            CreateError(fileName, errno);
        }
    }
    if (temp.Fd < 0) CreateError(fileName, EEXIST);

    if (exists) {
        // Owner first: changing it clears set-id bits, which the mode then restores. Either
        // may be refused to an ordinary user; the file is then theirs with the same bits.
        int ownerKept = fchown(temp.Fd, st.st_uid, st.st_gid);
        (void)ownerKept;
        if (fchmod(temp.Fd, st.st_mode & 07777) != 0) CreateError(fileName, errno);
    }
    if (!WriteAll(temp.Fd, bytes) || fsync(temp.Fd) != 0) WriteError();
    int fd = temp.Fd;
    temp.Fd = -1;
    if (close(fd) != 0) WriteError();
    if (rename(temp.Path.c_str(), target.c_str()) != 0) CreateError(fileName, errno);
    temp.Keep = true;
    // Make the new name itself durable; a folder that cannot be opened or synced changes
    // nothing about the file, which is complete either way.
    int dirFd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
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
