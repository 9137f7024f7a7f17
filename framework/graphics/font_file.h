// A font file as FreeType reads it: through a stream whose bytes come by pread, not from a
// mapping, so that only what is kept stays resident. FreeType asks for a few bytes at a time
// (one glyph's outline, a table's header), so the last blocks read are kept and most of its
// reads are copies, one read of the file serving some fifty of FreeType's.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

// Opens face index of the file at path through such a stream; FreeType closes the file
// with the face (or at once, when it cannot open it).
FT_Error OpenFontFile(FT_Library library, const std::string& path, int index, FT_Face* face);

// The stream alone, for reading the file's bytes as FreeType does: read(stream, offset,
// buffer, count) answers how many bytes it copied (a count of 0 is a seek: 0 when it is
// allowed). Closed by its close function; nullptr when the file cannot be opened.
FT_Stream OpenFontStream(const std::string& path);
