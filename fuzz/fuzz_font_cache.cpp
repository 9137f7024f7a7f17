// The file of realised fonts a start reads back: any bytes where its fonts stand, behind a
// true checksum and stamps this process wrote (so that the fonts are read, not refused at
// the door), yield fonts that measure and rasterise, or fonts realised afresh.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/graphics/font.h"
#include "framework/graphics/font_cache_file.h"
#include "framework/graphics/realised_font.h"

namespace {

std::string gFile;
std::string gHead;    // magic and format of a file this process wrote
std::string gStamps;  // its stamps, as they stand in the file

std::vector<TLogFont> Descriptions() {
    std::vector<TLogFont> all(3);
    all[0].FaceName = all[1].FaceName = all[2].FaceName = "Tahoma";
    all[0].Height = all[1].Height = -11;
    all[2].Height = -16;
    all[1].Weight = FW_BOLD;
    all[2].Escapement = 900;
    return all;
}

void Use(const HFONT& font) {
    (void)font->Metrics();
    (void)font->TextWidth("Wg");
    for (char c : std::string("aZ ")) (void)Realised(font).Glyph(static_cast<uint8_t>(c), 1, 2).Coverage.size();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/tmp/verbolt-fuzz-fonts-XXXXXX";
    if (!mkdtemp(dir)) abort();
    gFile = std::string(dir) + "/fonts";
    SetFontCacheFile(gFile);
    for (const TLogFont& lf : Descriptions()) Use(CreateFontIndirect(lf));
    if (!SaveRealisedFonts()) abort();
    std::ifstream in(gFile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    // magic (8), format (4), checksum (8), then the stamps.
    gHead = bytes.substr(0, 12);
    TByteReader body(std::string_view(bytes).substr(20));
    uint32_t count = 0;
    body(count);
    for (TFileStamp stamp; count > 0; --count) Read(body, stamp);
    if (body.Failed()) abort();
    const std::size_t fontsAt = bytes.size() - body.Left();
    gStamps = bytes.substr(20, fontsAt - 20);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body = gStamps + std::string(reinterpret_cast<const char*>(data), size);
    TByteWriter file;
    file.Bytes(gHead.data(), gHead.size());
    file(CacheChecksum(body));
    file.Bytes(body.data(), body.size());
    std::ofstream(gFile, std::ios::binary | std::ios::trunc) << file.Result();
    ForgetRealisedFonts();
    SetFontCacheFile(gFile);
    for (const TLogFont& lf : Descriptions()) Use(CreateFontIndirect(lf));
    return 0;
}
