// System utilities of the framework: the exception classes every layer above raises, Format
// with the system's "%s %d" conventions, the text the event loop shows for an exception, and
// the few string and file-name helpers that the messages need.
//
//   1. exception classes
//   2. Format
//   3. strings (case-insensitive compare, integers)
//   4. file names and system error texts
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "framework/base/errors.h"

// ---------------------------------------------------------------- 1. exception classes

class EComponentError : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EStringListError : public EListError {
    using EListError::EListError;
};
class EPropertyError : public Exception {
    using Exception::Exception;
};
// Files and stored descriptions.
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFilerError : public EStreamError {
    using EStreamError::EStreamError;
};
class EReadError : public EFilerError {
    using EFilerError::EFilerError;
};
class EWriteError : public EFilerError {
    using EFilerError::EFilerError;
};
class EClassNotFound : public EFilerError {
    using EFilerError::EFilerError;
};

// The text the event loop shows for an exception: the message, with "." appended when the
// message is not empty and its last character sorts above "." as a byte: "Disk full" and
// "Really?" get one, "Done." and "(x)" do not.
std::string ExceptionDisplayText(const std::string& message);

// ---------------------------------------------------------------- 2. Format

// One argument of Format: integers, floating-point numbers and strings.
struct TFormatArg {
    enum TKind { akInteger, akUnsigned, akFloat, akString };
    TKind Kind = akInteger;
    int64_t Int = 0;
    uint64_t UInt = 0;
    double Float = 0;
    std::string_view Str;
};

template <class A>
TFormatArg MakeFormatArg(const A& a) {
    TFormatArg r;
    if constexpr (std::is_same_v<A, bool>) {
        r.Kind = TFormatArg::akInteger;
        r.Int = a ? 1 : 0;
    } else if constexpr (std::is_integral_v<A> && std::is_signed_v<A>) {
        r.Kind = TFormatArg::akInteger;
        r.Int = a;
    } else if constexpr (std::is_integral_v<A>) {
        r.Kind = TFormatArg::akUnsigned;
        r.UInt = a;
    } else if constexpr (std::is_enum_v<A>) {
        r.Kind = TFormatArg::akInteger;
        r.Int = static_cast<int64_t>(a);
    } else if constexpr (std::is_floating_point_v<A>) {
        r.Kind = TFormatArg::akFloat;
        r.Float = a;
    } else {
        r.Kind = TFormatArg::akString;
        r.Str = std::string_view(a);
    }
    return r;
}

// Format("Cannot create file \"%s\". %s", path, reason). Directives:
// %[index:][-][width][.precision]type with type d (signed), u (unsigned), x (upper-case hex),
// s (string), f (fixed, 2 decimals by default), g (shortest), e (scientific) and %% for "%".
// Width and precision may be "*" (taken from the arguments). For d, u and x the precision is
// the minimum number of digits. Numbers never depend on the C locale. A directive that does
// not fit its argument, or a missing argument, raises EConvertError.
std::string FormatArgs(std::string_view fmt, std::span<const TFormatArg> args);

template <class... A>
std::string Format(std::string_view fmt, const A&... args) {
    std::array<TFormatArg, sizeof...(A)> list{MakeFormatArg(args)...};
    return FormatArgs(fmt, list);
}

// ---------------------------------------------------------------- 3. strings

// ASCII case-insensitive comparison, as names of classes, properties, components and
// enumeration values are compared.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view s);
// One character in lower case (ASCII letters only, as names compare); inline, because
// names are hashed a character at a time.
inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
std::string LowerCase(std::string_view s);
std::string Trim(std::string_view s);

// Letters, digits and "_", not starting with a digit, not empty.
bool IsValidIdent(std::string_view s);

std::string IntToStr(int64_t value);
// Decimal, optionally signed, or "$" hexadecimal; otherwise EConvertError
// "'%s' is not a valid integer value".
int64_t StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, int64_t& value);

// ---------------------------------------------------------------- 4. file names, errors

// The absolute form of a file name as the user gave it: a relative name is taken from the
// current folder; "." and ".." parts and doubled "/" are removed textually (links are not
// resolved, so the name stays the one the user chose).
std::string ExpandFileName(std::string_view fileName);
std::string ExtractFilePath(std::string_view fileName);  // with the final "/"
std::string ExtractFileName(std::string_view fileName);

// The text in which a file name is shown to the user, in the ANSI code page of every message.
// File names travel as the file system's own bytes (UTF-8, as the desktop hands them over)
// from the dialog to the file and are converted only here, where they become words: a
// character without an ANSI byte, or a byte that is not UTF-8, shows as "?".
std::string DisplayFileName(std::string_view fileName);

// The system's text for an error number, without trailing spaces, line breaks and periods,
// in the ANSI code page (the system speaks its locale's encoding, UTF-8 on the desktop).
std::string SysErrorMessage(int errorCode);
