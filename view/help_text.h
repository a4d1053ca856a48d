#pragma once

#include <span>
#include <string_view>

namespace gosei::view {

// The help window's 46 lines, in order, in UTF-8. Blank rows are kept exactly
// as they are: empty, ideographic spaces (U+3000) or ordinary spaces.
std::span<const std::string_view> helpLines();

}  // namespace gosei::view
