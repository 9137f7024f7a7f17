#include "framework/graphics/font_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

// The file and the blocks of it read last: eight of 4 KB cover the glyph outlines a window
// shows in one face, and a face that is asked little holds little.
struct TFontFile {
    static constexpr unsigned long kBlockSize = 4096;
    struct TBlock {
        unsigned long Index = 0;
        unsigned long Size = 0;  // short at the end of the file
        uint64_t LastUse = 0;    // 0: empty
        std::unique_ptr<unsigned char[]> Bytes;
    };
    FT_StreamRec Stream{};
    int Descriptor = -1;
    uint64_t Uses = 0;
    std::array<TBlock, 8> Blocks;

    // Up to count bytes from offset, as many as the file has.
    unsigned long ReadFile(unsigned long offset, unsigned char* buffer, unsigned long count) const {
        unsigned long done = 0;
        while (done < count) {
            const ssize_t n = pread(Descriptor, buffer + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<unsigned long>(n);
        }
        return done;
    }

    const TBlock& Block(unsigned long index) {
        TBlock* oldest = &Blocks[0];
        for (TBlock& b : Blocks) {
            if (b.LastUse != 0 && b.Index == index) {
                b.LastUse = ++Uses;
                return b;
            }
            if (b.LastUse < oldest->LastUse) oldest = &b;
        }
        if (!oldest->Bytes) oldest->Bytes = std::make_unique<unsigned char[]>(kBlockSize);
        oldest->Index = index;
        oldest->Size = ReadFile(index * kBlockSize, oldest->Bytes.get(), kBlockSize);
        oldest->LastUse = ++Uses;
        return *oldest;
    }

    unsigned long Read(unsigned long offset, unsigned char* buffer, unsigned long count) {
        if (offset >= Stream.size) return 0;
        count = std::min(count, Stream.size - offset);
        // A whole table at once is read straight into FreeType's buffer.
        if (count > kBlockSize) return ReadFile(offset, buffer, count);
        unsigned long done = 0;
        while (done < count) {
            const unsigned long at = offset + done;
            const TBlock& b = Block(at / kBlockSize);
            const unsigned long from = at % kBlockSize;
            if (from >= b.Size) break;
            const unsigned long n = std::min(count - done, b.Size - from);
            std::memcpy(buffer + done, b.Bytes.get() + from, n);
            done += n;
        }
        return done;
    }
};

TFontFile& FileOf(FT_Stream stream) { return *static_cast<TFontFile*>(stream->descriptor.pointer); }

unsigned long ReadFontBytes(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count) {
    if (count == 0) return offset <= stream->size ? 0 : 1;  // a seek: non-zero refuses it
    return FileOf(stream).Read(offset, buffer, count);
}

void CloseFontFile(FT_Stream stream) {
    TFontFile* file = &FileOf(stream);
    ::close(file->Descriptor);
    delete file;
}

}  // namespace

FT_Stream OpenFontStream(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto* file = new TFontFile;
    file->Descriptor = fd;
    file->Stream.size = static_cast<unsigned long>(st.st_size);
    file->Stream.descriptor.pointer = file;
    file->Stream.read = ReadFontBytes;
    file->Stream.close = CloseFontFile;
    return &file->Stream;
}

FT_Error OpenFontFile(FT_Library library, const std::string& path, int index, FT_Face* face) {
    FT_Stream stream = OpenFontStream(path);
    if (stream == nullptr) return FT_Err_Cannot_Open_Resource;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = stream;
    // FreeType closes the stream itself: on failure here, otherwise when the face is done.
    return FT_Open_Face(library, &args, index, face);
}
