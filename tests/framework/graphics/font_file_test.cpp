// A font file's stream: every range FreeType may ask for (inside one kept block, across
// blocks, whole tables, the end of the file and past it, seeks) gives the file's own bytes,
// also once more ranges were read than blocks are kept.
#include "framework/graphics/font_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(FontFile, EveryRangeReadsTheFilesOwnBytes) {
    // 40 000 bytes: nine full blocks and a short one, each byte telling its place.
    std::vector<unsigned char> bytes(40000);
    std::mt19937 random(7);
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(random());
    char path[] = "/tmp/verbolt-font-file-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(fd);

    FT_Stream stream = OpenFontStream(path);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->size, bytes.size());
    auto read = [&](unsigned long offset, unsigned long count) {
        std::vector<unsigned char> out(count, 0xEE);
        out.resize(stream->read(stream, offset, out.data(), count));
        return out;
    };
    auto expected = [&](unsigned long offset, unsigned long count) {
        if (offset >= bytes.size()) return std::vector<unsigned char>{};
        const unsigned long end = std::min<unsigned long>(offset + count, bytes.size());
        return std::vector<unsigned char>(bytes.begin() + offset, bytes.begin() + end);
    };
    const std::pair<unsigned long, unsigned long> ranges[] = {
        {0, 12},     {4090, 12},  {4096, 4096}, {100, 4096}, {8191, 1},     {0, 40000}, {30000, 9000},
        {39990, 10}, {39995, 64}, {40000, 4},   {50000, 4},  {12288, 4097}, {5, 1},     {36860, 3000},
    };
    for (auto [offset, count] : ranges)
        EXPECT_EQ(read(offset, count), expected(offset, count)) << offset << "+" << count;
    // Many small reads over the whole file: more blocks than are kept, revisited.
    for (int i = 0; i < 3000; ++i) {
        const unsigned long offset = random() % 41000;
        const unsigned long count = 1 + random() % 700;
        ASSERT_EQ(read(offset, count), expected(offset, count)) << offset << "+" << count;
    }
    // A seek inside the file, to its end, and past it.
    EXPECT_EQ(stream->read(stream, 20000, nullptr, 0), 0u);
    EXPECT_EQ(stream->read(stream, 40000, nullptr, 0), 0u);
    EXPECT_NE(stream->read(stream, 40001, nullptr, 0), 0u);
    stream->close(stream);
    std::remove(path);

    EXPECT_EQ(OpenFontStream("/nonexistent/face.ttf"), nullptr);
    EXPECT_EQ(OpenFontStream("/tmp"), nullptr);  // not a file
}

}  // namespace
