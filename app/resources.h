// The window description and pictures, embedded in the program at build time.
#pragma once

#include <string_view>

// The bytes of an embedded file by its name ("editor_form.vdf", "icon.bmp"); empty when
// there is none.
std::string_view EmbeddedFile(std::string_view name);
