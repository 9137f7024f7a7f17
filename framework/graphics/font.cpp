// Fonts: the TFont description and its realisation through fontconfig + FreeType.
//
// Sections: TFont · the font system (FreeType library, fontconfig, face choice, what its
// answers depend on) · the realised font (metrics, advances, glyphs; kept as bytes) ·
// CreateFontIndirect and its cache · the cache on disk
#include "framework/graphics/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <numbers>
#include <set>
#include <tuple>
#include <vector>

#include "framework/graphics/codepage.h"
#include "framework/graphics/font_cache_file.h"
#include "framework/graphics/font_file.h"
#include "framework/graphics/realised_font.h"

// ---------------------------------------------------------------- TFont

TFont::TFont() : FName("Tahoma"), FHeight(-11), FColor(clWindowText), FCharset(DEFAULT_CHARSET), FPitch(fpDefault) {}

TFont::TFont(const TFont& other) { CopyDescription(other); }

TFont& TFont::operator=(const TFont& other) {
    CopyDescription(other);
    return *this;
}

void TFont::CopyDescription(const TFont& source) {
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    FPitch = source.FPitch;
    FHandle = source.FHandle;
}

TFont::~TFont() = default;

void TFont::Changed() {
    FHandle.reset();
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name) {
    if (name.empty() || name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

// n * mul / div rounded like MulDiv (halves away from zero), in 64 bits, saturated to int.
static int MulDivRound(int n, int mul, int div) {
    const int64_t p = int64_t{n} * mul;
    const int64_t q = p >= 0 ? (p + div / 2) / div : -((-p + div / 2) / div);
    return SaturateInt(q);
}

int TFont::Size() const { return MulDivRound(SaturateInt(-int64_t{FHeight}), 72, PixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(SaturateInt(-int64_t{MulDivRound(points, PixelsPerInch, 72)})); }

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    // The colour is not part of the realised font: keep the handle.
    if (color == FColor) return;
    FColor = color;
    if (OnChange) OnChange();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == FCharset) return;
    FCharset = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
    if (pitch == FPitch) return;
    FPitch = pitch;
    Changed();
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    CopyDescription(source);
    if (OnChange) OnChange();
}

bool TFont::SameAs(const TFont& other) const {
    return FName == other.FName && FHeight == other.FHeight && FStyle == other.FStyle && FColor == other.FColor &&
           FCharset == other.FCharset && FPitch == other.FPitch;
}

HFONT TFont::Handle() const {
    if (!FHandle) FHandle = CreateFontIndirect(LogFontOf(*this));
    return FHandle;
}

void TFont::SetHandle(HFONT handle) {
    if (!handle) {
        Changed();
        return;
    }
    const TLogFont& lf = handle->LogFont();
    FHeight = lf.Height;
    TFontStyles style;
    if (lf.Weight >= 600) style.Include(fsBold);
    if (lf.Italic) style.Include(fsItalic);
    if (lf.Underline) style.Include(fsUnderline);
    if (lf.StrikeOut) style.Include(fsStrikeOut);
    FStyle = style;
    if (!lf.FaceName.empty()) FName = lf.FaceName;
    FCharset = lf.CharSet;
    const uint8_t pitch = lf.PitchAndFamily & 3;
    FPitch = pitch == VARIABLE_PITCH ? fpVariable : pitch == FIXED_PITCH ? fpFixed : fpDefault;
    FHandle = std::move(handle);
    if (OnChange) OnChange();
}

TLogFont LogFontOf(const TFont& font) {
    TLogFont lf;
    lf.Height = font.Height();
    lf.Weight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.Italic = font.Style().Contains(fsItalic);
    lf.Underline = font.Style().Contains(fsUnderline);
    lf.StrikeOut = font.Style().Contains(fsStrikeOut);
    lf.CharSet = font.Charset();
    lf.PitchAndFamily = font.Pitch() == fpVariable ? VARIABLE_PITCH
                        : font.Pitch() == fpFixed  ? FIXED_PITCH
                                                   : DEFAULT_PITCH;
    lf.FaceName = font.Name();
    return lf;
}

// ---------------------------------------------------------------- the font system

namespace {

std::atomic<std::size_t> rasterisedGlyphs{0};

// Wine's metric-compatible Microsoft faces; fontconfig does not list this folder by itself.
constexpr const char* kWineFontDir = "/usr/share/wine/fonts";
constexpr const char* kFallbackFamily = "DejaVu Sans";

// Faces the window names that this desktop usually lacks. "always": the old bitmap face is
// drawn as Tahoma, as the native platform's dialogs do, even where a look-alike exists.
struct TSubstitute {
    const char* Name;
    const char* Family;
    bool Always;
};
constexpr TSubstitute kSubstitutes[] = {
    {"Verdana", "DejaVu Sans", false},
    {"Lucida Sans Unicode", "DejaVu Sans", false},
    {"Lucida Console", "DejaVu Sans Mono", false},
    {"MS Sans Serif", "Tahoma", true},
};

// Family names compare as fontconfig compares them: case and blanks do not count. The key
// is the name so reduced: lower case, without blanks.
std::string FamilyKey(const char* name) {
    std::string key;
    for (; *name; ++name)
        if (*name != ' ') key += static_cast<char>(std::tolower(static_cast<unsigned char>(*name)));
    return key;
}
bool SameFamily(const char* a, const char* b) { return FamilyKey(a) == FamilyKey(b); }

// A configuration named in the environment is read whole, and its answers are not kept.
bool ConfiguredByEnvironment() { return std::getenv("FONTCONFIG_FILE") || std::getenv("FONTCONFIG_PATH"); }

// Where fontconfig's answers come from, as this process reads them (LoadConfiguration): the
// font folders, the two configuration files it may include, and the code that realises
// fonts (the program, FreeType, fontconfig). Kept fonts hold while these are as they were.
std::vector<std::string> FontFolders() {
    std::vector<std::string> folders{"/usr/share/fonts", "/usr/local/share/fonts", kWineFontDir};
    if (std::string data = XdgFolder("XDG_DATA_HOME", "/.local/share"); !data.empty())
        folders.push_back(data + "/fonts");
    if (std::string old = HomeFolder("/.fonts"); !old.empty()) folders.push_back(old);
    return folders;
}
std::vector<std::string> FontSourceFiles() {
    std::vector<std::string> files{"/etc/fonts/local.conf", "/proc/self/exe"};
    if (std::string user = XdgFolder("XDG_CONFIG_HOME", "/.config"); !user.empty())
        files.push_back(user + "/fontconfig/fonts.conf");
    for (void* symbol : {reinterpret_cast<void*>(&FT_Init_FreeType), reinterpret_cast<void*>(&FcFontMatch)})
        if (Dl_info info; dladdr(symbol, &info) && info.dli_fname && info.dli_fname[0] == '/')
            files.push_back(info.dli_fname);
    return files;
}

class TFontSystem {
public:
    // Never destroyed: realised fonts may outlive every other static at exit.
    static TFontSystem& Get() {
        static TFontSystem* system = new TFontSystem;
        return *system;
    }
    FT_Library Library() const { return FLibrary; }

    // What the configuration's answers depend on, stamped as it was loaded; empty before.
    std::vector<TFileStamp> Sources() {
        std::lock_guard lock(FLock);
        return FSources;
    }
    // Whether fontconfig has been asked anything, and if so whether its folders and files
    // are still as they were when its configuration was read.
    bool Asked() {
        std::lock_guard lock(FLock);
        return FConfigLoaded;
    }
    bool UpToDate() {
        std::lock_guard lock(FLock);
        return !FConfig || FcConfigUptoDate(FConfig);
    }

    // A font file's face, opened once for the fonts realised from it: each font scales it
    // through a size object of its own, so the file is opened and its tables read once.
    using TSharedFace = std::shared_ptr<FT_FaceRec_>;
    TSharedFace OpenFace(const std::string& path, int index) {
        std::lock_guard lock(FLock);
        const auto key = std::make_pair(path, index);
        if (TSharedFace face = FFaces[key].lock()) return face;
        FT_Face face = nullptr;
        if (!FLibrary || OpenFontFile(FLibrary, path, index, &face) != 0) return nullptr;
        TSharedFace shared(face, [](FT_Face f) { FT_Done_Face(f); });
        // A font's set-up picks glyphs through the symbol map and then selects Unicode
        // again; a face without a Unicode map could not be handed on as it was opened.
        if (face->charmap && face->charmap->encoding == FT_ENCODING_UNICODE) FFaces[key] = shared;
        return shared;
    }

    struct TFaceFile {
        std::string Path;
        int Index = 0;
        std::string Family;
    };
    // The file of a family in the wanted weight and slant, or none when fontconfig knows no
    // scalable face of that family (it would otherwise answer with its default).
    bool Match(const std::string& family, bool bold, bool italic, TFaceFile& out) {
        std::lock_guard lock(FLock);
        const auto key = std::make_tuple(family, bold, italic);
        if (auto it = FMatches.find(key); it != FMatches.end()) {
            out = it->second;
            return !out.Path.empty();
        }
        TFaceFile found;
        LoadConfigurationOnce();
        if (FConfig && Installed(family)) found = QueryFontconfig(FConfig, family, bold, italic);
        FMatches[key] = found;
        out = found;
        return !found.Path.empty();
    }

private:
    TFontSystem() {
        if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
    }

    // A fontconfig configuration of our own, so that the added folder stays ours and the
    // configuration can be released at exit (leak checkers cannot follow its pointers).
    // Read when a face is first chosen: a start whose fonts were all kept never reads it.
    void LoadConfigurationOnce() {
        if (FConfigLoaded) return;
        FConfigLoaded = true;
        // Stamped before reading, so that a change while it is read counts next time.
        for (const std::string& folder : FontFolders()) StampFolderTree(folder, FSources);
        for (const std::string& file : FontSourceFiles()) FSources.push_back(TFileStamp::Take(file));
        FConfig = LoadConfiguration();
        std::error_code ec;
        if (FConfig && std::filesystem::is_directory(kWineFontDir, ec))
            FcConfigAppFontAddDir(FConfig, reinterpret_cast<const FcChar8*>(kWineFontDir));
        if (FConfig) CollectFamilies();
        if (FConfig)
            std::atexit([] {
                auto& system = Get();
                FcConfigDestroy(system.FConfig);
                system.FConfig = nullptr;
            });
        // The files it read (and those they include), and the folders holding them.
        if (FcStrList* files = FConfig ? FcConfigGetConfigFiles(FConfig) : nullptr) {
            while (const FcChar8* file = FcStrListNext(files)) {
                const std::string path = reinterpret_cast<const char*>(file);
                FSources.push_back(TFileStamp::Take(path));
                if (const std::size_t slash = path.rfind('/'); slash != std::string::npos && slash > 0)
                    FSources.push_back(TFileStamp::Take(path.substr(0, slash)));
            }
            FcStrListDone(files);
        }
    }

    // Faces are matched by their exact family name, so of the desktop's configuration only
    // the font folders and caches matter: they are declared here, which spares parsing the
    // dozens of rule files (aliases, rendering) a full configuration reads at every start.
    // The administrator's and the user's own files still count; a configuration named in
    // the environment is read whole.
    static FcConfig* LoadConfiguration() {
        if (ConfiguredByEnvironment()) return FcInitLoadConfigAndFonts();
        static constexpr char kFolders[] =
            "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\"><fontconfig>"
            "<dir>/usr/share/fonts</dir><dir>/usr/local/share/fonts</dir>"
            "<dir prefix=\"xdg\">fonts</dir><dir>~/.fonts</dir>"
            "<cachedir>/var/cache/fontconfig</cachedir><cachedir prefix=\"xdg\">fontconfig</cachedir>"
            "<include ignore_missing=\"yes\">/etc/fonts/local.conf</include>"
            "<include ignore_missing=\"yes\" prefix=\"xdg\">fontconfig/fonts.conf</include>"
            "</fontconfig>";
        FcConfig* config = FcConfigCreate();
        if (!config) return nullptr;
        if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFolders), FcFalse) ||
            !FcConfigBuildFonts(config)) {
            FcConfigDestroy(config);
            return FcInitLoadConfigAndFonts();
        }
        return config;
    }

    // Whether some face of the configuration (the desktop's or our own folder's) carries the
    // family: a match is taken only from a face that does, so for a family nobody has the
    // substitute is asked for at once (each match weighs every face fontconfig knows).
    bool Installed(const std::string& family) const { return FInstalled.count(FamilyKey(family.c_str())) > 0; }
    void CollectFamilies() {
        for (FcSetName which : {FcSetSystem, FcSetApplication})
            if (const FcFontSet* set = FcConfigGetFonts(FConfig, which))
                for (int i = 0; i < set->nfont; ++i) {
                    FcChar8* name = nullptr;
                    for (int n = 0; FcPatternGetString(set->fonts[i], FC_FAMILY, n, &name) == FcResultMatch; ++n)
                        FInstalled.insert(FamilyKey(reinterpret_cast<const char*>(name)));
                }
    }

    static TFaceFile QueryFontconfig(FcConfig* config, const std::string& family, bool bold, bool italic) {
        TFaceFile result;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult res = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &res);
        FcPatternDestroy(pattern);
        if (!match) return result;
        FcChar8* file = nullptr;
        FcBool scalable = FcFalse;
        FcPatternGetBool(match, FC_SCALABLE, 0, &scalable);
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && scalable) {
            FcChar8* name = nullptr;
            for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
                if (SameFamily(reinterpret_cast<const char*>(name), family.c_str())) {
                    int index = 0;
                    FcPatternGetInteger(match, FC_INDEX, 0, &index);
                    result.Path = reinterpret_cast<const char*>(file);
                    result.Index = index;
                    FcChar8* first = nullptr;
                    FcPatternGetString(match, FC_FAMILY, 0, &first);
                    result.Family = reinterpret_cast<const char*>(first ? first : name);
                    break;
                }
            }
        }
        FcPatternDestroy(match);
        return result;
    }

    // Faces and matches are asked for by whichever thread realises a font, or by a kept
    // font that meets its first glyph not kept.
    std::mutex FLock;
    FT_Library FLibrary = nullptr;
    bool FConfigLoaded = false;
    FcConfig* FConfig = nullptr;
    std::vector<TFileStamp> FSources;
    std::map<std::tuple<std::string, bool, bool>, TFaceFile> FMatches;
    std::set<std::string> FInstalled;  // the family keys of every face
    std::map<std::pair<std::string, int>, std::weak_ptr<FT_FaceRec_>> FFaces;
};

// The face for a description: the name itself, its substitute, then the fallback family.
bool ChooseFace(const TLogFont& lf, TFontSystem::TFaceFile& out) {
    auto& system = TFontSystem::Get();
    const bool bold = lf.Weight >= 600;
    std::vector<std::string> candidates;
    const TSubstitute* substitute = nullptr;
    for (const auto& s : kSubstitutes)
        if (SameFamily(s.Name, lf.FaceName.c_str())) substitute = &s;
    if (!lf.FaceName.empty() && !(substitute && substitute->Always)) candidates.push_back(lf.FaceName);
    if (substitute) candidates.push_back(substitute->Family);
    candidates.push_back(kFallbackFamily);
    for (const auto& family : candidates)
        if (system.Match(family, bold, lf.Italic, out)) return true;
    return false;
}

// ---------------------------------------------------------------- the realised font

int RoundToInt(double v) { return static_cast<int>(std::lround(v)); }

// The 'gasp' behaviour for a pixel size: bit 0 grid-fit, bit 1 grey-scale. A face without
// the table is hinted and grey.
unsigned GaspFlags(FT_Face face, int ppem) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, nullptr, &length) != 0 || length < 4) return 3;
    std::vector<uint8_t> table(length);
    if (FT_Load_Sfnt_Table(face, TTAG_gasp, 0, table.data(), &length) != 0) return 3;
    const int ranges = (table[2] << 8) | table[3];
    for (int i = 0; i < ranges && 8 + 4 * i <= static_cast<int>(length); ++i) {
        const int maxPpem = (table[4 + 4 * i] << 8) | table[5 + 4 * i];
        const unsigned flags = (table[6 + 4 * i] << 8) | table[7 + 4 * i];
        if (ppem <= maxPpem) return (flags & 1) | (flags & 2) | ((flags & 4) ? 1 : 0);
    }
    return 3;
}

// Some bold faces (Wine's Tahoma Bold) carry bold bitmaps over regular-weight outlines: a
// face whose 'l' stem is thinner than a tenth of the em is not bold enough to stand alone.
bool OutlineLooksBold(FT_Face face) {
    const FT_UInt index = FT_Get_Char_Index(face, 'l');
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return true;
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    return (box.xMax - box.xMin) * 10 >= face->units_per_EM;
}

// The average character width in font units as GDI's classic faces state it: the
// letter-frequency weighted mean of a–z and space. OS/2 tables from version 3 on average all
// glyphs instead (Wine's Tahoma: 1226 against 910), so for them the mean is recomputed.
double AverageCharWidthUnits(FT_Face face, const TT_OS2* os2) {
    if (!os2) return 0;
    if (os2->version < 3) return os2->xAvgCharWidth;
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    double sum = 0;
    for (int i = 0; i < 27; ++i) {
        const FT_UInt index = FT_Get_Char_Index(face, i < 26 ? 'a' + i : ' ');
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return os2->xAvgCharWidth;
        sum += kWeights[i] * static_cast<double>(face->glyph->advance.x);
    }
    return sum / 1000;
}

uint8_t FamilyNibble(FT_Face face, const TT_OS2* os2, bool fixed) {
    if (fixed) return FF_MODERN;
    if (!os2) return FF_DONTCARE;
    const uint8_t familyKind = os2->panose[0], serifStyle = os2->panose[1];
    if (familyKind == 3) return FF_SCRIPT;
    if (familyKind == 4 || familyKind == 5) return FF_DECORATIVE;
    if (serifStyle >= 11 && serifStyle <= 13) return FF_SWISS;
    return FT_IS_SFNT(face) && familyKind == 2 ? FF_ROMAN : FF_DONTCARE;
}

class TFreeTypeFont final : public TRealisedFont {
public:
    TFreeTypeFont(const TLogFont& lf, int codePage) : TFreeTypeFont(lf) {
        TFontSystem::TFaceFile file;
        if (ChooseFace(lf, file)) FSharedFace = TFontSystem::Get().OpenFace(file.Path, file.Index);
        if (FSharedFace && FT_New_Size(FSharedFace.get(), &FSize) == 0) {
            FFace = FSharedFace.get();
            FFamily = file.Family;
            FFacePath = file.Path;
            FFaceIndex = file.Index;
            SetUp(codePage);
        } else {
            FSharedFace = nullptr;
            SetUpWithoutFace();
        }
    }
    ~TFreeTypeFont() override {
        if (FSize) FT_Done_Size(FSize);
    }

    // A font as Save wrote it, realised from the same description in the same code page:
    // its face is opened only when a glyph or an advance not kept is first asked for.
    // nullptr when the bytes are not such a font.
    static std::shared_ptr<TFreeTypeFont> Restore(const TLogFont& lf, std::string facePath, std::string_view bytes) {
        std::shared_ptr<TFreeTypeFont> font(new TFreeTypeFont(lf));
        font->FFacePath = std::move(facePath);
        TByteReader in(bytes);
        Fields(*font, in);
        uint32_t glyphs = 0;
        in(glyphs);
        for (uint32_t i = 0; i < glyphs && !in.Failed(); ++i) {
            uint32_t slot = 0;
            auto image = std::make_unique<TGlyphImage>();
            in(slot);
            in(image->Left);
            in(image->Top);
            in(image->Width);
            in(image->Rows);
            if (slot >= font->FGlyphs.size() || image->Width < 0 || image->Rows < 0 || image->Width > 4096 ||
                image->Rows > 4096)
                return nullptr;
            const std::string_view coverage = in.View(static_cast<std::size_t>(image->Width) * image->Rows);
            image->Coverage.assign(coverage.begin(), coverage.end());
            font->FGlyphs[slot] = std::move(image);
        }
        const auto measured = [](int a) { return a == kUnmeasured || (a >= -(1 << 16) && a <= 1 << 16); };
        if (!in.AtEnd() || font->FPpem < 1 || font->FPpem > 1000 ||
            !std::all_of(font->FAdvance.begin(), font->FAdvance.end(), measured))
            return nullptr;
        return font;
    }
    // The font's face file ("" without one), and the rest of what it knows as bytes.
    const std::string& FacePath() const { return FFacePath; }
    void Save(TByteWriter& out) const {
        Fields(*this, out);
        out(static_cast<uint32_t>(std::count_if(FGlyphs.begin(), FGlyphs.end(), [](auto& g) { return g != nullptr; })));
        for (std::size_t slot = 0; slot < FGlyphs.size(); ++slot)
            if (const TGlyphImage* image = FGlyphs[slot].get()) {
                out(static_cast<uint32_t>(slot));
                out(image->Left);
                out(image->Top);
                out(image->Width);
                out(image->Rows);
                out.Bytes(image->Coverage.data(), image->Coverage.size());
            }
    }

    const TLogFont& LogFont() const override { return FLog; }
    const TTextMetric& Metrics() const override { return FMetrics; }
    const std::string& RealisedFamily() const override { return FFamily; }
    int CharAdvance(uint8_t ch) const override {
        if (FAdvance[ch] == kUnmeasured) FAdvance[ch] = MeasureAdvance(ch);
        return FAdvance[ch];
    }
    int TextWidth(std::string_view text) const override {
        int width = 0;
        for (char c : text) width += CharAdvance(static_cast<uint8_t>(c));
        return width;
    }
    double Angle() const override { return FAngle; }
    const TDecorationMetrics& Decorations() const override { return FDecorations; }

    const TGlyphImage& Glyph(uint8_t ch, int phaseX, int phaseY) const override {
        const std::size_t slot = Rotated() ? (ch * kPhases + phaseX) * kPhases + phaseY : ch;
        auto& cached = FGlyphs[slot];
        if (!cached) {
            cached = Rasterise(ch, phaseX, phaseY);
            rasterisedGlyphs.fetch_add(1, std::memory_order_relaxed);
        }
        return *cached;
    }

private:
    explicit TFreeTypeFont(const TLogFont& lf) : FLog(lf) {
        FAngle = lf.Escapement % 3600 * std::numbers::pi / 1800.0;
        FGlyphs.resize(Rotated() ? 256 * kPhases * kPhases : 256);
    }

    // What set-up derives from the face, in one order for saving and restoring; the angle and
    // the glyph slots follow from the description.
    template <class Self, class Archive>
    static void Fields(Self& f, Archive& a) {
        auto& m = f.FMetrics;
        a(m.tmHeight), a(m.tmAscent), a(m.tmDescent), a(m.tmInternalLeading), a(m.tmExternalLeading);
        a(m.tmAveCharWidth), a(m.tmMaxCharWidth), a(m.tmWeight), a(m.tmItalic), a(m.tmUnderlined);
        a(m.tmStruckOut), a(m.tmPitchAndFamily), a(m.tmCharSet);
        auto& d = f.FDecorations;
        a(d.UnderlineOffset), a(d.UnderlineThickness), a(d.StrikeOutOffset), a(d.StrikeOutThickness);
        a(f.FFamily), a(f.FFaceIndex), a(f.FPpem), a(f.FStrikeAtSize), a(f.FGaspMono), a(f.FUseStrikes);
        a(f.FMono), a(f.FHinted), a(f.FEmbolden), a(f.FBoostAdvance), a(f.FOblique), a(f.FBoldStrength);
        a(f.FAdvanceBoost);
        for (auto& index : f.FGlyphIndex) a(index);
        for (auto& advance : f.FAdvance) a(advance);
    }

    // A restored font's face and size, opened at its first use; false without a face.
    bool EnsureFace() const {
        if (FFace || FFaceTried || FFacePath.empty()) return FFace != nullptr;
        FFaceTried = true;
        TFontSystem::TSharedFace face = TFontSystem::Get().OpenFace(FFacePath, FFaceIndex);
        if (!face || FT_New_Size(face.get(), &FSize) != 0) return false;
        FSharedFace = std::move(face);
        FFace = FSharedFace.get();
        FT_Activate_Size(FSize);
        FT_Set_Pixel_Sizes(FFace, 0, FPpem);
        return true;
    }

    void SetUp(int codePage) {
        const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
        const TT_HoriHeader* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_HHEA));
        const TT_Postscript* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_POST));
        const double upem = FFace->units_per_EM > 0 ? FFace->units_per_EM : 2048;
        double winAscent = os2 ? os2->usWinAscent : 0, winDescent = os2 ? os2->usWinDescent : 0;
        if (winAscent + winDescent <= 0) {
            winAscent = hhea ? hhea->Ascender : FFace->ascender;
            winDescent = hhea ? -hhea->Descender : -FFace->descender;
        }
        if (winAscent + winDescent <= 0) winAscent = upem * 0.8, winDescent = upem * 0.2;

        // Negative heights are the em size; positive ones the cell (ascent + descent).
        int height = FLog.Height == 0 ? -11 : std::clamp(FLog.Height, -1000, 1000);
        if (height < 0) {
            FPpem = -height;
            const double scale = FPpem / upem;
            FMetrics.tmAscent = RoundToInt(winAscent * scale);
            FMetrics.tmDescent = RoundToInt(winDescent * scale);
        } else {
            const double scale = height / (winAscent + winDescent);
            FPpem = std::max(1, RoundToInt(upem * scale));
            FMetrics.tmAscent = RoundToInt(winAscent * scale);
            FMetrics.tmDescent = height - FMetrics.tmAscent;
        }
        FT_Activate_Size(FSize);
        FT_Set_Pixel_Sizes(FFace, 0, FPpem);
        const double scale = FPpem / upem;
        FMetrics.tmHeight = FMetrics.tmAscent + FMetrics.tmDescent;
        FMetrics.tmInternalLeading = std::max(0, FMetrics.tmHeight - FPpem);
        if (hhea) {
            const double gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
            FMetrics.tmExternalLeading = std::max(0, RoundToInt(gap * scale));
        }

        // Style: what the face has, and what has to be made up.
        const bool wantBold = FLog.Weight >= 600;
        const bool faceBold = (FFace->style_flags & FT_STYLE_FLAG_BOLD) || (os2 && os2->usWeightClass >= 600);
        const bool faceItalic = (FFace->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        FOblique = FLog.Italic && !faceItalic;
        FBoostAdvance = wantBold && !faceBold;
        FEmbolden = FBoostAdvance || (wantBold && !OutlineLooksBold(FFace));
        if (FEmbolden) FBoldStrength = std::max<FT_Pos>(64, FPpem * 64 / 24);
        if (FBoostAdvance) FAdvanceBoost = std::max(1, RoundToInt(FBoldStrength / 64.0));

        // Rendering: the face's own 1-bit strikes where it has them and nothing is made up
        // that bitmaps cannot carry; otherwise outlines, black-and-white or grey as 'gasp'
        // asks; rotated text always grey from outlines.
        bool strike = false;
        for (int i = 0; i < FFace->num_fixed_sizes; ++i)
            if ((FFace->available_sizes[i].y_ppem + 32) / 64 == FPpem) strike = true;
        const unsigned gasp = GaspFlags(FFace, FPpem);
        FStrikeAtSize = strike;
        FGaspMono = !(gasp & 2);
        FUseStrikes = !Rotated() && strike && !FOblique && !FBoostAdvance;
        FMono = !Rotated() && FGaspMono;
        FHinted = (gasp & 1) != 0;

        // Byte → glyph through the code page; symbol faces (Marlett) answer at U+F000 + byte.
        bool symbolMap = false;
        for (int i = 0; i < FFace->num_charmaps; ++i)
            if (FFace->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) symbolMap = true;
        for (int b = 0; b < 256; ++b)
            FGlyphIndex[b] = FT_Get_Char_Index(FFace, AnsiCharToUnicode(static_cast<uint8_t>(b), codePage));
        if (symbolMap && FT_Select_Charmap(FFace, FT_ENCODING_MS_SYMBOL) == 0) {
            for (int b = 0; b < 256; ++b)
                if (FGlyphIndex[b] == 0) FGlyphIndex[b] = FT_Get_Char_Index(FFace, 0xF000 + b);
            FT_Select_Charmap(FFace, FT_ENCODING_UNICODE);
        }

        // Advances are measured when a byte is first measured (MeasureAdvance): a font
        // realised for a few words then loads only their glyphs.
        FAdvance.fill(kUnmeasured);

        const bool fixed = FT_IS_FIXED_WIDTH(FFace) || (post && post->isFixedPitch);
        const double average = AverageCharWidthUnits(FFace, os2);
        FMetrics.tmAveCharWidth = average > 0 ? RoundToInt(average * scale) + FAdvanceBoost : CharAdvance('x');
        int widest = 0;
        if (!hhea)
            for (int b = 0; b < 256; ++b) widest = std::max(widest, CharAdvance(static_cast<uint8_t>(b)));
        FMetrics.tmMaxCharWidth = (hhea ? RoundToInt(hhea->advance_Width_Max * scale) : widest) + FAdvanceBoost;
        FMetrics.tmPitchAndFamily = static_cast<uint8_t>(TMPF_TRUETYPE | TMPF_VECTOR | (fixed ? 0 : TMPF_FIXED_PITCH) |
                                                         FamilyNibble(FFace, os2, fixed));
        FinishMetrics(codePage);

        if (post && post->underlineThickness > 0) {
            FDecorations.UnderlineOffset = RoundToInt(-post->underlinePosition * scale);
            FDecorations.UnderlineThickness = std::max(1, RoundToInt(post->underlineThickness * scale));
        } else {
            FDecorations.UnderlineOffset = std::max(1, FMetrics.tmDescent / 2);
            FDecorations.UnderlineThickness = std::max(1, FPpem / 14);
        }
        if (os2 && os2->yStrikeoutSize > 0) {
            FDecorations.StrikeOutOffset = -RoundToInt(os2->yStrikeoutPosition * scale);
            FDecorations.StrikeOutThickness = std::max(1, RoundToInt(os2->yStrikeoutSize * scale));
        } else {
            FDecorations.StrikeOutOffset = -std::max(1, FPpem * 3 / 10);
            FDecorations.StrikeOutThickness = FDecorations.UnderlineThickness;
        }
    }

    // No face could be loaded at all: plain boxes of the right size, nothing drawn.
    void SetUpWithoutFace() {
        // Sizes as a face is realised at: at most 1000 pixels either way.
        const int height = std::clamp(FLog.Height, -1000, 1000);
        FPpem = height < 0 ? -height : height > 0 ? std::max(1, height * 4 / 5) : 11;
        FMetrics.tmAscent = height > 0 ? height - height / 5 : RoundToInt(FPpem * 1.0);
        FMetrics.tmDescent = height > 0 ? height / 5 : RoundToInt(FPpem * 0.2);
        FMetrics.tmHeight = FMetrics.tmAscent + FMetrics.tmDescent;
        FMetrics.tmInternalLeading = std::max(0, FMetrics.tmHeight - FPpem);
        FAdvance.fill(std::max(1, FPpem / 2));
        FMetrics.tmAveCharWidth = FMetrics.tmMaxCharWidth = std::max(1, FPpem / 2);
        FMetrics.tmPitchAndFamily = 0;
        FFamily = "";
        FinishMetrics(AnsiCodePage());
        FDecorations.UnderlineOffset = 1;
        FDecorations.StrikeOutOffset = -FMetrics.tmAscent / 3;
    }

    void FinishMetrics(int codePage) {
        FMetrics.tmWeight = FLog.Weight > 0 ? FLog.Weight : FW_NORMAL;
        FMetrics.tmItalic = FLog.Italic;
        FMetrics.tmUnderlined = FLog.Underline;
        FMetrics.tmStruckOut = FLog.StrikeOut;
        FMetrics.tmCharSet = FLog.CharSet == DEFAULT_CHARSET ? CharsetForCodePage(codePage) : FLog.CharSet;
    }

    // An advance is measured hinted, in whole pixels, as plain upright text of this face sets
    // it, whatever the slant, rotation or rendering of this font.
    FT_Int32 MeasureLoadFlags() const {
        return (FGaspMono ? FT_LOAD_TARGET_MONO | (FStrikeAtSize ? 0 : FT_LOAD_NO_BITMAP)
                          : FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP) |
               (FHinted ? 0 : FT_LOAD_NO_HINTING);
    }
    // The advance of the glyph last loaded into the face's slot.
    int LoadedAdvance() const { return static_cast<int>((FFace->glyph->advance.x + 32) >> 6) + FAdvanceBoost; }
    int MeasureAdvance(uint8_t ch) const {
        if (!EnsureFace()) return FAdvanceBoost;
        FT_Activate_Size(FSize);
        if (FT_Load_Glyph(FFace, FGlyphIndex[ch], MeasureLoadFlags()) != 0) return FAdvanceBoost;
        return LoadedAdvance();
    }

    FT_Int32 UprightLoadFlags() const {
        if (FMono)
            return FT_LOAD_TARGET_MONO | (FUseStrikes ? 0 : FT_LOAD_NO_BITMAP) | (FHinted ? 0 : FT_LOAD_NO_HINTING);
        return FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_BITMAP | (FHinted ? 0 : FT_LOAD_NO_HINTING);
    }

    std::unique_ptr<TGlyphImage> Rasterise(uint8_t ch, int phaseX, int phaseY) const {
        auto image = std::make_unique<TGlyphImage>();
        if (!EnsureFace()) return image;
        const FT_Int32 flags = Rotated() ? FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING : UprightLoadFlags();
        FT_Activate_Size(FSize);
        if (FT_Load_Glyph(FFace, FGlyphIndex[ch], flags) != 0) return image;
        // Loaded as its advance is measured (most upright text): the advance comes with it,
        // and measuring it later loads and hints the glyph no second time.
        if (FAdvance[ch] == kUnmeasured && flags == MeasureLoadFlags()) FAdvance[ch] = LoadedAdvance();
        FT_GlyphSlot slot = FFace->glyph;
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            if (FEmbolden) {
                FT_Outline_EmboldenXY(&slot->outline, FBoldStrength, FBoldStrength / 2);
                if (FBoostAdvance) FT_Outline_Translate(&slot->outline, FBoldStrength / 2, 0);
            }
            if (FOblique) FT_GlyphSlot_Oblique(slot);
            if (Rotated()) {
                FT_Matrix m;
                m.xx = static_cast<FT_Fixed>(std::cos(FAngle) * 65536.0);
                m.xy = static_cast<FT_Fixed>(-std::sin(FAngle) * 65536.0);
                m.yx = static_cast<FT_Fixed>(std::sin(FAngle) * 65536.0);
                m.yy = m.xx;
                FT_Outline_Transform(&slot->outline, &m);
                // Phases count right and down; FreeType's y axis points up.
                FT_Outline_Translate(&slot->outline, phaseX * 64 / kPhases, -phaseY * 64 / kPhases);
            }
            if (FT_Render_Glyph(slot, FMono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return image;
        }
        const FT_Bitmap& bm = slot->bitmap;
        image->Left = slot->bitmap_left;
        image->Top = slot->bitmap_top;
        image->Width = static_cast<int>(bm.width);
        image->Rows = static_cast<int>(bm.rows);
        image->Coverage.resize(static_cast<std::size_t>(image->Width) * image->Rows);
        for (int y = 0; y < image->Rows; ++y) {
            const uint8_t* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            uint8_t* out = image->Coverage.data() + static_cast<std::size_t>(y) * image->Width;
            for (int x = 0; x < image->Width; ++x) {
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    out[x] = bm.num_grays == 256 ? row[x]
                                                 : static_cast<uint8_t>(row[x] * 255 / std::max(1, bm.num_grays - 1));
            }
        }
        return image;
    }

    TLogFont FLog;
    TTextMetric FMetrics;
    TDecorationMetrics FDecorations;
    std::string FFamily;
    // The face is shared with the other fonts of its file; the size (scale, hinting state,
    // bitmap strike) is this font's own and is made the face's active one before each use.
    // A restored font opens them when it first needs them (EnsureFace).
    mutable TFontSystem::TSharedFace FSharedFace;
    mutable FT_Face FFace = nullptr;
    mutable FT_Size FSize = nullptr;
    mutable bool FFaceTried = false;
    std::string FFacePath;
    int FFaceIndex = 0;
    double FAngle = 0;
    int FPpem = 11;
    bool FStrikeAtSize = false;  // the face has a bitmap strike at this pixel size
    bool FGaspMono = false;      // 'gasp' asks for black-and-white at this size
    bool FUseStrikes = false;
    bool FMono = false;
    bool FHinted = true;
    bool FEmbolden = false;
    bool FBoostAdvance = false;
    bool FOblique = false;
    FT_Pos FBoldStrength = 0;
    int FAdvanceBoost = 0;
    std::array<FT_UInt, 256> FGlyphIndex{};
    static constexpr int kUnmeasured = -1;
    mutable std::array<int, 256> FAdvance{};
    mutable std::vector<std::unique_ptr<TGlyphImage>> FGlyphs;
};

// ---------------------------------------------------------------- CreateFontIndirect

struct TFontKey {
    TLogFont Description;
    int CodePage;
    bool operator<(const TFontKey& o) const {
        const auto& a = Description;
        const auto& b = o.Description;
        return std::tie(a.Height, a.Width, a.Escapement, a.Orientation, a.Weight, a.Italic, a.Underline, a.StrikeOut,
                        a.CharSet, a.PitchAndFamily, a.FaceName, CodePage) <
               std::tie(b.Height, b.Width, b.Escapement, b.Orientation, b.Weight, b.Italic, b.Underline, b.StrikeOut,
                        b.CharSet, b.PitchAndFamily, b.FaceName, o.CodePage);
    }
};

template <class Key, class Archive>
void KeyFields(Key& k, Archive& a) {
    auto& d = k.Description;
    a(d.Height), a(d.Width), a(d.Escapement), a(d.Orientation), a(d.Weight), a(d.Italic), a(d.Underline);
    a(d.StrikeOut), a(d.CharSet), a(d.PitchAndFamily), a(d.FaceName), a(k.CodePage);
}

// Fonts nobody holds any more are dropped once the cache grows past this many.
constexpr std::size_t kFontCacheSoftLimit = 256;

// A font read from the cache file and not yet asked for.
struct TKeptFont {
    std::string FacePath;
    std::string Bytes;
};

// The realised fonts, and those the cache file keeps from an earlier start.
struct TFontStore {
    std::mutex Lock;
    std::map<TFontKey, HFONT> Fonts;
    std::string File;
    bool FileRead = false;
    std::map<TFontKey, TKeptFont> Kept;
    // What the kept fonts hold under, as the file says and this start found it.
    std::vector<TFileStamp> KeptSources;
    std::size_t FontsMade = 0, SavedFontsMade = 0, SavedGlyphs = 0;

    static TFontStore& Get() {
        static TFontStore* store = new TFontStore;
        return *store;
    }
    void ReadFileOnce();
    HFONT TakeKept(const TFontKey& key);
    // As at a start: the file is read again when a font is next asked for, and what is
    // already realised counts as written.
    void StartOver() {
        FileRead = false;
        Kept.clear();
        KeptSources.clear();
        SavedFontsMade = FontsMade;
        SavedGlyphs = GlyphsRasterised();
    }
};

}  // namespace

std::size_t GlyphsRasterised() { return rasterisedGlyphs.load(std::memory_order_relaxed); }

HFONT CreateFontIndirect(const TLogFont& description) {
    TFontStore& store = TFontStore::Get();
    std::lock_guard lock(store.Lock);
    TFontKey key{description, AnsiCodePage()};
    if (auto it = store.Fonts.find(key); it != store.Fonts.end()) return it->second;
    if (store.Fonts.size() >= kFontCacheSoftLimit)
        std::erase_if(store.Fonts, [](const auto& entry) { return entry.second.use_count() == 1; });
    HFONT font = store.TakeKept(key);
    if (!font) {
        font = std::make_shared<TFreeTypeFont>(description, key.CodePage);
        ++store.FontsMade;
    }
    store.Fonts.emplace(std::move(key), font);
    return font;
}

// ---------------------------------------------------------------- the cache on disk
//
// The file: a magic of 8 bytes, the format, a checksum of the rest; then the stamps of what
// the fonts depend on, and the fonts, each its description, face file and Save's bytes.

namespace {

constexpr char kCacheMagic[8] = {'V', 'B', 'F', 'O', 'N', 'T', 'S', '\n'};
constexpr uint32_t kCacheFormat = 1;
constexpr std::size_t kCacheFileLimit = 16 << 20;
constexpr std::size_t kHeaderSize = sizeof kCacheMagic + sizeof kCacheFormat + sizeof(uint64_t);

// Whether every place the fonts' realisation depends on, as this process would look, was
// stamped when they were written, and is as it was then.
bool SourcesHold(const std::vector<TFileStamp>& stamps) {
    std::set<std::string_view> stamped;
    for (const TFileStamp& s : stamps) stamped.insert(s.Path);
    for (const auto& expected : {FontFolders(), FontSourceFiles()})
        for (const std::string& path : expected)
            if (!stamped.count(path)) return false;
    return std::all_of(stamps.begin(), stamps.end(), [](const TFileStamp& s) { return s.StillHolds(); });
}

}  // namespace

void TFontStore::ReadFileOnce() {
    if (FileRead) return;
    FileRead = true;
    if (File.empty() || ConfiguredByEnvironment()) return;
    const std::optional<std::string> bytes = ReadCacheFile(File, kCacheFileLimit);
    if (!bytes || bytes->size() < kHeaderSize || bytes->compare(0, sizeof kCacheMagic, kCacheMagic, sizeof kCacheMagic))
        return;
    TByteReader header(std::string_view(*bytes).substr(sizeof kCacheMagic, kHeaderSize - sizeof kCacheMagic));
    uint32_t format = 0;
    uint64_t checksum = 0;
    header(format);
    header(checksum);
    const std::string_view body = std::string_view(*bytes).substr(kHeaderSize);
    if (format != kCacheFormat || checksum != CacheChecksum(body)) return;
    TByteReader in(body);
    uint32_t count = 0;
    std::vector<TFileStamp> stamps;
    for (in(count); count > 0 && !in.Failed(); --count) Read(in, stamps.emplace_back());
    std::map<TFontKey, TKeptFont> kept;
    for (in(count); count > 0 && !in.Failed(); --count) {
        TFontKey key{};
        TKeptFont font;
        KeyFields(key, in);
        in(font.FacePath);
        in(font.Bytes);
        kept[std::move(key)] = std::move(font);
    }
    if (!in.AtEnd() || !SourcesHold(stamps)) return;
    Kept = std::move(kept);
    KeptSources = std::move(stamps);
}

HFONT TFontStore::TakeKept(const TFontKey& key) {
    ReadFileOnce();
    const auto it = Kept.find(key);
    if (it == Kept.end()) return nullptr;
    HFONT font = TFreeTypeFont::Restore(key.Description, it->second.FacePath, it->second.Bytes);
    Kept.erase(it);
    return font;
}

void SetFontCacheFile(std::string path) {
    TFontStore& store = TFontStore::Get();
    std::lock_guard lock(store.Lock);
    store.File = std::move(path);
    store.StartOver();
}

void ForgetRealisedFonts() {
    TFontStore& store = TFontStore::Get();
    std::lock_guard lock(store.Lock);
    store.Fonts.clear();
    store.StartOver();
}

namespace {

bool WriteRealisedFonts() {
    TFontStore& store = TFontStore::Get();
    std::lock_guard lock(store.Lock);
    store.ReadFileOnce();
    if (store.File.empty() || ConfiguredByEnvironment()) return false;
    const std::size_t glyphs = GlyphsRasterised();
    if (store.FontsMade == store.SavedFontsMade && glyphs == store.SavedGlyphs) return true;
    // The fonts made here follow the configuration as it was read; the kept ones, the file's.
    TFontSystem& system = TFontSystem::Get();
    std::vector<TFileStamp> stamps = system.Asked() ? system.Sources() : store.KeptSources;
    if (stamps.empty() || !system.UpToDate()) return false;
    std::set<std::string> stamped;
    for (const TFileStamp& s : stamps) stamped.insert(s.Path);
    const auto stampFace = [&](const std::string& path) {
        if (!path.empty() && stamped.insert(path).second) stamps.push_back(TFileStamp::Take(path));
    };

    TByteWriter fonts;
    uint32_t count = 0;
    for (const auto& [key, handle] : store.Fonts) {
        const auto& font = static_cast<const TFreeTypeFont&>(*handle);
        KeyFields(key, fonts);
        fonts(font.FacePath());
        TByteWriter bytes;
        font.Save(bytes);
        fonts(bytes.Result());
        stampFace(font.FacePath());
        ++count;
    }
    // Kept fonts not asked for go back as read; a file set after fonts were realised may
    // hold some of them, which are written above.
    for (const auto& [key, font] : store.Kept)
        if (!store.Fonts.count(key)) {
            KeyFields(key, fonts);
            fonts(font.FacePath);
            fonts(font.Bytes);
            stampFace(font.FacePath);
            ++count;
        }

    TByteWriter body;
    body(static_cast<uint32_t>(stamps.size()));
    for (const TFileStamp& s : stamps) Write(body, s);
    body(count);
    body.Bytes(fonts.Result().data(), fonts.Result().size());
    TByteWriter file;
    file.Bytes(kCacheMagic, sizeof kCacheMagic);
    file(kCacheFormat);
    file(CacheChecksum(body.Result()));
    file.Bytes(body.Result().data(), body.Result().size());
    if (!ReplaceCacheFile(store.File, file.Result())) return false;
    store.SavedFontsMade = store.FontsMade;
    store.SavedGlyphs = glyphs;
    return true;
}

}  // namespace

bool SaveRealisedFonts() {
    // A cache that cannot be written (not even the memory for its bytes) is only not kept.
    try {
        return WriteRealisedFonts();
    } catch (const std::exception&) {
        return false;
    }
}
