// The ANSI code page: the single-byte character set every AnsiString of the system is in.
// This is the only place that knows Unicode; fonts map bytes to glyphs through it and the
// desktop platform converts with it at its border.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The code pages the system knows, as the native platform maps locales to them.
constexpr int CP_CENTRAL_EUROPE = 1250;
constexpr int CP_CYRILLIC = 1251;
constexpr int CP_WESTERN = 1252;
constexpr int CP_GREEK = 1253;
constexpr int CP_TURKISH = 1254;
constexpr int CP_BALTIC = 1257;

// The code page for a locale name such as "cs_CZ.UTF-8", "sr_RS@latin" or "C": Central
// European → 1250, Cyrillic → 1251, Greek → 1253, Turkish → 1254, Baltic → 1257, else 1252.
int CodePageForLocale(std::string_view localeName);

// The active code page: set explicitly, or else taken once from the process's current
// character-type locale.
int AnsiCodePage();
// Fixes the active code page (the platform may know the locale better; tests pin one).
// 0 returns to the locale's. Fonts realised afterwards use the new page.
void SetAnsiCodePage(int codePage);

// Byte ↔ Unicode in one of the six code pages (another value is taken as 1252). Every byte
// maps: the few bytes a page leaves undefined stand for the C1 control of the same value.
char32_t AnsiCharToUnicode(uint8_t ch, int codePage);
inline char32_t AnsiCharToUnicode(uint8_t ch) { return AnsiCharToUnicode(ch, AnsiCodePage()); }
// False when the code point has no byte in the page.
bool UnicodeToAnsiChar(char32_t cp, int codePage, uint8_t& ch);

// ANSI bytes (the active code page) ↔ UTF-8. Characters without a byte become '?';
// allMapped tells whether every character had one. Malformed UTF-8 counts as unmapped.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);
std::string Utf8ToAnsi(std::string_view utf8, bool& allMapped);

// The font character set that stands for a code page (1250 → EASTEUROPE_CHARSET, …).
uint8_t CharsetForCodePage(int codePage);
