#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

// Answers every modal message with OK while it lives, remembering what the
// last one showed. Create it before the action that shows the message.
class MessageWatcher {
  public:
    struct Seen {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttonCount = 0;
        bool okHasIcon = false;
        bool modal = false;
        QWidget* parent = nullptr;
        int width = 0;
    };

    MessageWatcher() { poll(m_state); }
    ~MessageWatcher() { m_state->active = false; }
    MessageWatcher(const MessageWatcher&) = delete;
    MessageWatcher& operator=(const MessageWatcher&) = delete;

    int count() const { return m_state->count; }
    const Seen& last() const { return m_state->last; }

  private:
    struct State {
        bool active = true;
        int count = 0;
        Seen last;
    };

    static void poll(std::shared_ptr<State> state) {
        QTimer::singleShot(5, qApp, [state] {
            if (!state->active) return;
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                state->last = {box->text(),
                               box->windowTitle(),
                               box->icon(),
                               static_cast<int>(box->buttons().size()),
                               !box->button(QMessageBox::Ok)->icon().isNull(),
                               box->isModal(),
                               box->parentWidget(),
                               box->width()};
                ++state->count;
                box->button(QMessageBox::Ok)->click();
            }
            poll(state);
        });
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};
