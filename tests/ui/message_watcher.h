#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <memory>

namespace message_watching {

// How many MessageWatchers are waiting for a message.
inline int& expectingWatchers() {
    static int count = 0;
    return count;
}

}  // namespace message_watching

// Answers every modal message with OK while it lives, remembering what the
// last one showed. Create it before the action that shows the message: it
// also tells UnexpectedModals that a message is expected.
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

    MessageWatcher() {
        ++message_watching::expectingWatchers();
        poll(m_state);
    }
    ~MessageWatcher() {
        m_state->active = false;
        --message_watching::expectingWatchers();
    }
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

// Closes every modal that appears while no MessageWatcher expects one and
// keeps what it showed. A fault that brings up a message would otherwise wait
// for a click that never comes; live one per test and fail the test in
// cleanup() when unexpected() is not empty.
class UnexpectedModals {
  public:
    UnexpectedModals() { poll(m_state); }
    ~UnexpectedModals() { m_state->active = false; }
    UnexpectedModals(const UnexpectedModals&) = delete;
    UnexpectedModals& operator=(const UnexpectedModals&) = delete;

    // One line per closed modal: its text, or for another dialog its title.
    QString unexpected() const { return m_state->seen.join(u'\n'); }

  private:
    struct State {
        bool active = true;
        QStringList seen;
    };

    static void poll(std::shared_ptr<State> state) {
        QTimer::singleShot(5, qApp, [state] {
            if (!state->active) return;
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && message_watching::expectingWatchers() == 0) {
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    state->seen << QStringLiteral("message \"%1\"").arg(box->text());
                } else {
                    state->seen << QStringLiteral("%1 \"%2\"")
                                       .arg(QString::fromLatin1(modal->metaObject()->className()),
                                            modal->windowTitle());
                }
                if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->reject();
                } else {
                    modal->close();
                }
            }
            poll(state);
        });
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};
