#pragma once

#include <QWidget>

class QListWidget;
class QPushButton;
class QScrollArea;

namespace gosei::ui {

// Form2: the fixed help text in a list and the back button. The list is
// filled once, when the window is created.
class HelpWindow : public QWidget {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QPushButton* backButton() const { return m_back; }

    // Keeps the window within the room a screen has for it; where the room
    // is smaller, the window's page scrolls, so that its top and 戻る stay
    // within reach.
    void fitWithin(const QSize& room);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The back button: the main window comes to the front, then this one hides.
    void backPressed();

  private:
    QScrollArea* m_scroll;
    QListWidget* m_list = nullptr;
    QPushButton* m_back = nullptr;
};

}  // namespace gosei::ui
