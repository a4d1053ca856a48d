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

// What search results show of the page.
inline constexpr std::string_view kPageDescription =
    "目的の抵抗値に近い直列・並列の組み合わせを、Ｅ３・Ｅ６・Ｅ１２・Ｅ２４系列の"
    "部品２つから探す計算ソフトです。";
// Shown where scripts are off: nothing on the page works without them.
inline constexpr std::string_view kNoScriptNotice =
    "このページは JavaScript を使います。ブラウザで JavaScript を有効にして下さい。";

// The finder page: the main page links to it below the main window, and
// the manifest names it as a shortcut.
inline constexpr std::string_view kFinderPage = "find.html";
inline constexpr std::string_view kFinderName = "部品４個までの抵抗回路と分圧抵抗を探す";
inline constexpr std::string_view kFinderShortName = "抵抗回路を探す";

}  // namespace gosei::web
