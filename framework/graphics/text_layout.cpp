// DrawText's layout: prefixes → paragraphs → wrapped lines → ellipses → pen positions.
#include "framework/graphics/text_layout.h"

#include <algorithm>

#include "framework/graphics/canvas.h"

namespace {

// A character of the text after prefix processing; Prefix marks the accelerator.
struct TChar {
    uint8_t Ch;
    bool Prefix;
};
using TChars = std::vector<TChar>;

// "&x" marks x (the last such mark wins, as there is only one accelerator), "&&" is a
// plain "&", and a lone "&" at the very end disappears.
TChars StripPrefixes(std::string_view text, unsigned flags) {
    TChars out;
    out.reserve(text.size());
    const bool process = !(flags & DT_NOPREFIX);
    const bool show = !(flags & DT_HIDEPREFIX);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<uint8_t>(text[i]);
        if (!process || c != '&') {
            out.push_back({c, false});
            continue;
        }
        if (i + 1 == text.size()) break;
        const auto next = static_cast<uint8_t>(text[++i]);
        if (next == '&') {
            out.push_back({'&', false});
            continue;
        }
        if (show) {
            for (TChar& earlier : out) earlier.Prefix = false;
        }
        out.push_back({next, show});
    }
    return out;
}

class TLineBuilder {
public:
    TLineBuilder(const TFontObject& font, unsigned flags)
        : FFont(font), FTabWidth(flags & DT_EXPANDTABS ? 8 * std::max(1, font.Metrics().tmAveCharWidth) : 0) {}

    // The pen position after ch when it starts at x.
    int Next(int x, uint8_t ch) const {
        if (ch == '\t' && FTabWidth > 0) return (x / FTabWidth + 1) * FTabWidth;
        return x + FFont.CharAdvance(ch);
    }
    int Width(const TChar* begin, const TChar* end) const {
        int x = 0;
        for (const TChar* c = begin; c != end; ++c) x = Next(x, c->Ch);
        return x;
    }
    int Width(const TChars& chars) const { return Width(chars.data(), chars.data() + chars.size()); }

    TLaidLine Place(const TChars& chars) const {
        TLaidLine line;
        line.Glyphs.reserve(chars.size());
        int x = 0;
        for (const TChar& c : chars) {
            const int next = Next(x, c.Ch);
            if (c.Prefix) {
                line.PrefixX = x;
                line.PrefixWidth = next - x;
            }
            if (!(c.Ch == '\t' && FTabWidth > 0)) line.Glyphs.push_back({c.Ch, x});
            x = next;
        }
        line.Width = x;
        return line;
    }

private:
    const TFontObject& FFont;
    int FTabWidth;
};

// Breaks a paragraph between words so that each line fits maxWidth. Spaces at a break hang
// over the edge and are dropped. A word wider than the whole line is broken between
// characters, unless an ellipsis is going to shorten it anyway.
std::vector<TChars> Wrap(const TChars& para, int maxWidth, bool breakLongWords, const TLineBuilder& builder) {
    std::vector<TChars> lines;
    const std::size_t n = para.size();
    std::size_t start = 0;
    for (;;) {
        int x = 0;
        std::size_t i = start, breakEnd = start, breakNext = start;
        bool overflow = false;
        for (; i < n; ++i) {
            const int next = builder.Next(x, para[i].Ch);
            if (para[i].Ch == ' ') {
                if (i > start && para[i - 1].Ch != ' ') breakEnd = i;
                breakNext = i + 1;
            } else if (next > maxWidth && i > start) {
                overflow = true;
                break;
            }
            x = next;
        }
        if (!overflow) {
            lines.emplace_back(para.begin() + start, para.end());
            return lines;
        }
        std::size_t end = i, resume = i;
        if (breakEnd > start) {
            end = breakEnd;
            resume = breakNext;
        } else if (!breakLongWords) {
            while (end < n && para[end].Ch != ' ') ++end;
            resume = end;
        }
        lines.emplace_back(para.begin() + start, para.begin() + end);
        while (resume < n && para[resume].Ch == ' ') ++resume;
        if (resume >= n) return lines;
        start = resume;
    }
}

void AppendDots(TChars& chars) {
    for (int k = 0; k < 3; ++k) chars.push_back({'.', false});
}

// Drops characters from the end until the line and "..." fit.
TChars EndEllipsis(TChars line, int maxWidth, const TLineBuilder& builder) {
    const int dots = 3 * builder.Next(0, '.');
    while (!line.empty() && builder.Width(line) + dots > maxWidth) line.pop_back();
    AppendDots(line);
    return line;
}

// Keeps the last path element and drops characters before it; both separators count.
TChars PathEllipsis(const TChars& line, int maxWidth, const TLineBuilder& builder) {
    std::size_t sep = line.size();
    for (std::size_t i = line.size(); i-- > 0;)
        if (line[i].Ch == '\\' || line[i].Ch == '/') {
            sep = i;
            break;
        }
    if (sep == line.size()) return EndEllipsis(line, maxWidth, builder);
    TChars head(line.begin(), line.begin() + sep);
    const TChars tail(line.begin() + sep, line.end());
    auto joined = [&] {
        TChars r = head;
        AppendDots(r);
        r.insert(r.end(), tail.begin(), tail.end());
        return r;
    };
    TChars result = joined();
    while (!head.empty() && builder.Width(result) > maxWidth) {
        head.pop_back();
        result = joined();
    }
    if (builder.Width(result) > maxWidth) return EndEllipsis(result, maxWidth, builder);
    return result;
}

}  // namespace

TTextLayout LayoutText(const TFontObject& font, std::string_view text, int maxWidth, unsigned flags) {
    TTextLayout layout;
    layout.LineHeight = font.Metrics().tmHeight;
    if (text.empty()) return layout;
    const TLineBuilder builder(font, flags);
    const TChars chars = StripPrefixes(text, flags);
    const bool single = flags & DT_SINGLELINE;
    const bool wrap = (flags & DT_WORDBREAK) && !single;
    const bool ellipsis = flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS);

    // Paragraphs end at CR, LF or CR LF; a final line break opens no further line.
    std::vector<TChars> paragraphs;
    if (single) {
        paragraphs.push_back(chars);
    } else {
        TChars current;
        for (std::size_t i = 0; i < chars.size(); ++i) {
            const uint8_t c = chars[i].Ch;
            if (c != '\r' && c != '\n') {
                current.push_back(chars[i]);
                continue;
            }
            if (c == '\r' && i + 1 < chars.size() && chars[i + 1].Ch == '\n') ++i;
            paragraphs.push_back(std::move(current));
            current.clear();
        }
        if (!current.empty() || paragraphs.empty()) paragraphs.push_back(std::move(current));
    }

    for (const TChars& para : paragraphs) {
        std::vector<TChars> lines;
        if (wrap) lines = Wrap(para, maxWidth, !ellipsis, builder);
        else lines.push_back(para);
        for (TChars& line : lines) {
            if (ellipsis && builder.Width(line) > maxWidth)
                line = (flags & DT_PATH_ELLIPSIS) ? PathEllipsis(line, maxWidth, builder)
                                                  : EndEllipsis(std::move(line), maxWidth, builder);
            layout.Lines.push_back(builder.Place(line));
            layout.Width = std::max(layout.Width, layout.Lines.back().Width);
        }
    }
    return layout;
}
