#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;

namespace gosei::ui {

// Form2: the fixed help text in a list and the back button. The list is
// filled once, when the window is created.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QPushButton* backButton() const { return m_back; }

  signals:
    // The back button: the main window comes to the front, then this one hides.
    void backPressed();

  private:
    QListWidget* m_list = nullptr;
    QPushButton* m_back = nullptr;
};

}  // namespace gosei::ui
