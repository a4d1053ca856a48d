#pragma once

#include <array>
#include <string_view>

#include "engine/window_operations.h"

namespace gosei::web {

// The page's three message dialogs: the element id and the text of each.
struct PageMessage {
    std::string_view id;
    std::string_view text;
};

inline constexpr PageMessage kToleranceDialog{"ToleranceMessage", kToleranceMessage};
inline constexpr PageMessage kTargetDialog{"TargetMessage", kTargetMessage};
inline constexpr PageMessage kRangeDialog{"RangeMessage", kRangeMessage};
inline constexpr std::array<PageMessage, 3> kPageMessages{kToleranceDialog, kTargetDialog,
                                                          kRangeDialog};

}  // namespace gosei::web
