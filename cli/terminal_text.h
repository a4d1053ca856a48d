#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gosei::cli {

// Width of a UTF-8 text on a terminal: characters of three or more bytes
// (the Japanese ones) take two columns.
inline std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue;
        width += byte >= 0xE0 ? 2 : 1;
    }
    return width;
}

// The text padded with spaces to the given width in columns.
inline std::string padded(std::string_view text, std::size_t width) {
    std::string cell(text);
    const std::size_t used = displayWidth(text);
    if (used < width) cell.append(width - used, ' ');
    return cell;
}

}  // namespace gosei::cli
