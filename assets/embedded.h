// The pictures and the icon, compiled into the program.
#pragma once

#include <span>
#include <string_view>

// The bytes of the embedded file with this name ("BackdropPicture", "DEFAULT_ICON", ...);
// empty when there is none.
std::span<const unsigned char> FindEmbeddedFile(std::string_view name);
