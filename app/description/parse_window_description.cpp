// Parses a stored description when the program is built and writes its tree as bytes, which
// the program reads at start instead of parsing the text. A description that does not parse
// fails the build with the reader's message, line and all.
//
// Usage: parse-window-description INPUT.vdf OUTPUT.vdb
#include <cstdio>
#include <fstream>
#include <string>

#include "framework/core/file_bytes.h"
#include "framework/core/streaming.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.vdf OUTPUT.vdb\n", argv[0]);
        return 2;
    }
    std::string bytes;
    try {
        bytes = ParsedDescriptionBytes(ParseComponentText(ReadFileBytes(argv[1], 64 << 20)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], e.what());
        return 1;
    }
    // Written whole under another name first: a build stopped halfway leaves no short file.
    const std::string part = std::string(argv[2]) + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out || std::rename(part.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        std::remove(part.c_str());
        return 1;
    }
    return 0;
}
