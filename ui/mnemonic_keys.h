#pragma once

class QWidget;

namespace gosei::ui {

// Keeps Alt+letter out of the text fields inside `window`. Alt+letter is a
// mnemonic, and the one of a hidden row matches no shortcut: Qt would then
// hand it to the focused field, which types the letter as if Alt were up.
// Call it once the window's fields are made.
void keepMnemonicsOutOfFields(QWidget& window);

}  // namespace gosei::ui
