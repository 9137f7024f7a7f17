// Sections: exception text, Format, strings, file names and error texts.
#include "framework/core/sysutils.h"

#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <vector>

#include "framework/graphics/codepage.h"

// ---------------------------------------------------------------- exception text

std::string ExceptionDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

// ---------------------------------------------------------------- Format

namespace {

[[noreturn]] void FormatError(std::string_view fmt) {
    throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

std::string UnsignedDigits(uint64_t v, int base, int minDigits) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v, base);
    std::string digits(buf, res.ptr);
    if (base == 16)
        for (char& c : digits) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    return digits;
}

std::string FloatText(double v, char type, int precision) {
    char buf[512];
    std::to_chars_result res;
    if (type == 'f')
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision < 0 ? 2 : precision);
    else if (type == 'e')
        res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision < 0 ? 15 : precision);
    else if (precision < 0) res = std::to_chars(buf, buf + sizeof buf, v);
    else res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, precision);
    if (res.ec != std::errc()) return "?";
    return std::string(buf, res.ptr);
}

}  // namespace

std::string FormatArgs(std::string_view fmt, std::span<const TFormatArg> args) {
    std::string out;
    size_t next = 0;  // the argument an unindexed directive takes
    size_t i = 0;
    auto takeArg = [&]() -> const TFormatArg& {
        if (next >= args.size()) FormatError(fmt);
        return args[next++];
    };
    auto readNumber = [&](int& value) -> bool {
        if (i < fmt.size() && fmt[i] == '*') {
            const TFormatArg& a = takeArg();
            if (a.Kind == TFormatArg::akInteger) value = static_cast<int>(a.Int);
            else if (a.Kind == TFormatArg::akUnsigned) value = static_cast<int>(a.UInt);
            else FormatError(fmt);
            ++i;
            return true;
        }
        bool any = false;
        value = 0;
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
            value = value * 10 + (fmt[i] - '0');
            ++i;
            any = true;
        }
        return any;
    };
    while (i < fmt.size()) {
        char c = fmt[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i >= fmt.size()) FormatError(fmt);
        if (fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // "%1:s": an explicit argument index; it also moves the implicit position on.
        size_t save = i;
        int number = 0;
        bool digits = false;
        while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
            number = number * 10 + (fmt[i++] - '0');
            digits = true;
        }
        if (digits && i < fmt.size() && fmt[i] == ':') {
            next = static_cast<size_t>(number);
            ++i;
        } else {
            i = save;
        }
        bool left = false;
        if (i < fmt.size() && fmt[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        readNumber(width);
        int precision = -1;
        if (i < fmt.size() && fmt[i] == '.') {
            ++i;
            if (!readNumber(precision)) precision = 0;
        }
        if (i >= fmt.size()) FormatError(fmt);
        char type = static_cast<char>(std::tolower(static_cast<unsigned char>(fmt[i++])));
        const TFormatArg& a = takeArg();
        std::string text;
        switch (type) {
            case 'd':
                if (a.Kind == TFormatArg::akInteger) {
                    uint64_t mag = a.Int < 0 ? 0 - static_cast<uint64_t>(a.Int) : static_cast<uint64_t>(a.Int);
                    text = (a.Int < 0 ? "-" : "") + UnsignedDigits(mag, 10, precision);
                } else if (a.Kind == TFormatArg::akUnsigned) {
                    text = UnsignedDigits(a.UInt, 10, precision);
                } else {
                    FormatError(fmt);
                }
                break;
            case 'u':
            case 'x':
                if (a.Kind == TFormatArg::akInteger)
                    text = UnsignedDigits(type == 'x' ? static_cast<uint64_t>(a.Int) : static_cast<uint32_t>(a.Int),
                                          type == 'x' ? 16 : 10, precision);
                else if (a.Kind == TFormatArg::akUnsigned)
                    text = UnsignedDigits(a.UInt, type == 'x' ? 16 : 10, precision);
                else FormatError(fmt);
                break;
            case 's':
                if (a.Kind != TFormatArg::akString) FormatError(fmt);
                text = a.Str;
                if (precision >= 0 && static_cast<size_t>(precision) < text.size()) text.resize(precision);
                break;
            case 'f':
            case 'g':
            case 'e':
                if (a.Kind == TFormatArg::akFloat) text = FloatText(a.Float, type, precision);
                else if (a.Kind == TFormatArg::akInteger) text = FloatText(static_cast<double>(a.Int), type, precision);
                else if (a.Kind == TFormatArg::akUnsigned)
                    text = FloatText(static_cast<double>(a.UInt), type, precision);
                else FormatError(fmt);
                break;
            default: FormatError(fmt);
        }
        if (static_cast<int>(text.size()) < width) {
            std::string pad(width - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

// ---------------------------------------------------------------- strings

namespace {
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    // Names are mostly compared with themselves as written: the bytes settle it at once.
    if (a == b) return true;
    for (size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(Upper(a[i]));
        unsigned char y = static_cast<unsigned char>(Upper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = Upper(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = Lower(c);
    return r;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return std::string(s.substr(b, e - b));
}

bool IsValidIdent(std::string_view s) {
    if (s.empty()) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0)) return false;
    }
    return true;
}

std::string IntToStr(int64_t value) {
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

bool TryStrToInt(std::string_view s, int64_t& value) {
    std::string t = Trim(s);
    std::string_view v = t;
    bool negative = false;
    if (!v.empty() && (v[0] == '-' || v[0] == '+')) {
        negative = v[0] == '-';
        v.remove_prefix(1);
    }
    int base = 10;
    if (!v.empty() && v[0] == '$') {
        base = 16;
        v.remove_prefix(1);
    } else if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        base = 16;
        v.remove_prefix(2);
    }
    if (v.empty()) return false;
    uint64_t mag = 0;
    auto res = std::from_chars(v.data(), v.data() + v.size(), mag, base);
    if (res.ec != std::errc() || res.ptr != v.data() + v.size()) return false;
    if (negative) {
        if (mag > uint64_t{1} << 63) return false;
        value = static_cast<int64_t>(0 - mag);
    } else {
        // Hexadecimal may spell the full 64-bit pattern; decimal must fit.
        if (base == 10 && mag > static_cast<uint64_t>(INT64_MAX)) return false;
        value = static_cast<int64_t>(mag);
    }
    return true;
}

int64_t StrToInt(std::string_view s) {
    int64_t v = 0;
    if (!TryStrToInt(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", s));
    return v;
}

// ---------------------------------------------------------------- file names, errors

std::string ExpandFileName(std::string_view fileName) {
    std::string path(fileName);
    if (path.empty() || path[0] != '/') {
        std::vector<char> buf(PATH_MAX);
        std::string cwd;
        while (!getcwd(buf.data(), buf.size())) {
            if (errno != ERANGE) break;
            buf.resize(buf.size() * 2);
        }
        cwd = buf.data();
        path = cwd + "/" + path;
    }
    // Remove "." and ".." textually, keeping a trailing "/" when the name had one.
    bool trailingSlash = path.size() > 1 && path.back() == '/';
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string part = path.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    if (out.empty()) return "/";
    if (trailingSlash) out += "/";
    return out;
}

std::string ExtractFilePath(std::string_view fileName) {
    size_t p = fileName.rfind('/');
    return p == std::string_view::npos ? std::string() : std::string(fileName.substr(0, p + 1));
}

std::string ExtractFileName(std::string_view fileName) {
    size_t p = fileName.rfind('/');
    return std::string(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

std::string DisplayFileName(std::string_view fileName) { return Utf8ToAnsi(fileName); }

std::string SysErrorMessage(int errorCode) {
    std::string text = std::strerror(errorCode);
    // Translated texts come in the locale's encoding; plain ASCII is the same in both.
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) text = Utf8ToAnsi(text);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n' || text.back() == '.' ||
                             text.back() == '\t'))
        text.pop_back();
    return text;
}
