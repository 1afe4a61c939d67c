#pragma once
// Drives modal dialogs from a test: a script of steps, each waiting for a
// modal window of the expected kind to come up and then acting on it (fill
// edits, click buttons, answer a message box). The steps run from a polling
// timer, so they also reach dialogs opened from inside another step's click.

#include "widgets/vxGradiBtn.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace DialogDriver {

inline void click(TvxGradiButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

// Replaces an edit's text the way a user would: select all, type.
inline void type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->setCursorPosition(0);
    QTest::keyClicks(edit, text);
}

class Script {
public:
    using Match = std::function<bool(QWidget*)>;
    using Act = std::function<void(QWidget*)>;

    explicit Script(int timeoutMs = 60000) : m_timeoutMs(timeoutMs) {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
    }
    ~Script() { m_timer.stop(); }

    Script& then(Match match, Act act) {
        m_steps.push_back({std::move(match), std::move(act)});
        return *this;
    }

    // A step for the modal dialog of class T.
    template <class T> Script& on(std::function<void(T*)> act) {
        return then([](QWidget* w) { return qobject_cast<T*>(w) != nullptr; },
                    [act](QWidget* w) { act(qobject_cast<T*>(w)); });
    }

    // Answers the next message box with the given button and keeps what it said.
    Script& answer(QMessageBox::StandardButton button) {
        return on<QMessageBox>([this, button](QMessageBox* box) {
            Shown shown;
            shown.title = box->windowTitle();
            shown.text = box->text();
            shown.icon = box->icon();
            shown.buttons = box->standardButtons();
            if (QAbstractButton* def = box->defaultButton())
                shown.defaultButton = box->standardButton(def);
            if (QAbstractButton* esc = box->escapeButton())
                shown.escapeButton = box->standardButton(esc);
            messages.append(shown);
            if (QAbstractButton* b = box->button(button))
                b->click();
        });
    }

    void start() {
        m_clock.start();
        m_timer.start();
    }
    bool finished() const { return m_steps.empty(); }
    bool timedOut() const { return m_timedOut; }

    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
    };
    QList<Shown> messages;

private:
    struct Step {
        Match match;
        Act act;
    };

    void poll() {
        if (m_steps.empty()) {
            m_timer.stop();
            return;
        }
        if (m_posted)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && m_steps.front().match(modal)) {
            // Taken off first, and run outside this timer's tick: the action
            // may open a nested modal loop, and a timer does not fire again
            // while its own tick is still running.
            auto step = std::make_shared<Step>(std::move(m_steps.front()));
            m_steps.pop_front();
            QPointer<QWidget> target(modal);
            m_posted = true;
            QTimer::singleShot(0, &m_timer, [this, step, target] {
                m_posted = false;
                if (target)
                    step->act(target);
            });
            return;
        }
        if (m_clock.elapsed() > m_timeoutMs) {
            // Never leave a test hanging in a modal loop: end every open dialog.
            m_timedOut = true;
            m_steps.clear();
            m_timer.stop();
            for (int i = 0; i < 10; ++i) {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog || !dialog->isVisible())
                    break;
                dialog->done(2);
            }
        }
    }

    std::deque<Step> m_steps;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_timeoutMs;
    bool m_timedOut = false;
    bool m_posted = false;
};

} // namespace DialogDriver
