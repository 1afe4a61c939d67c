#pragma once
// What assistive technology sees of a window, checked in-process through the
// tree of accessible interfaces that the desktop's accessibility bus also
// carries, and what the keyboard reaches. Header-only, for widget tests.

#include "widgets/Accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>

namespace AccessibleTree {

inline void Walk(QAccessibleInterface* a, const std::function<void(QAccessibleInterface*)>& visit) {
    if (!a || !a->isValid())
        return;
    visit(a);
    for (int i = 0; i < a->childCount(); ++i)
        Walk(a->child(i), visit);
}

// What a screen-reader user would miss among the shown parts of the window:
// a control without a name, a button without a press action, a drawn area
// Qt cannot describe (a nameless, empty "client", as a self-painted control
// looks until it has an interface). Classes in `ornaments` are exempt from
// the last; Qt's own inner parts are named "qt_...".
inline QStringList Problems(QWidget* window, const QStringList& ornaments = {}) {
    static const QList<QAccessible::Role> named = {
        QAccessible::Button,       QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::EditableText, QAccessible::ComboBox, QAccessible::SpinBox,
        QAccessible::ProgressBar,  QAccessible::List,     QAccessible::ListItem,
        QAccessible::Table,        QAccessible::Cell,     QAccessible::Graphic,
        QAccessible::Dialog,       QAccessible::Window};
    QStringList problems;
    Walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
        const QObject* o = a->object();
        if (a->state().invisible || !o)
            return;
        const QString what =
            QStringLiteral("%1 \"%2\" (role 0x%3): ")
                .arg(QString::fromLatin1(o->metaObject()->className()), a->text(QAccessible::Name))
                .arg(int(a->role()), 0, 16);
        const bool nameless = a->text(QAccessible::Name).trimmed().isEmpty();
        if (named.contains(a->role()) && nameless)
            problems << what + QStringLiteral("no name");
        const QAccessibleActionInterface* act = a->actionInterface();
        if (a->role() == QAccessible::Button &&
            !(act && act->actionNames().contains(QAccessibleActionInterface::pressAction())))
            problems << what + QStringLiteral("no press action");
        if (a->role() == QAccessible::Client && a->childCount() == 0 && nameless &&
            !o->objectName().startsWith(QLatin1String("qt_")) &&
            !ornaments.contains(QString::fromLatin1(o->metaObject()->className())))
            problems << what + QStringLiteral("a drawn area nobody described");
    });
    return problems;
}

// The shown, enabled controls that present themselves as buttons.
inline QList<QWidget*> Buttons(QWidget* window) {
    QList<QWidget*> buttons;
    Walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
        if (a->role() == QAccessible::Button && !a->state().invisible && !a->state().disabled)
            buttons << qobject_cast<QWidget*>(a->object());
    });
    return buttons;
}

// What a screen reader listening while this lives is told of focus,
// selection and value changes, as "focus 10" (the child's index) or
// "value 52".
struct Listener {
    QStringList Heard;
    Listener() {
        Accessible::SetListenerForTesting([this](QAccessibleEvent& e) {
            if (e.type() == QAccessible::Focus)
                Heard << QStringLiteral("focus %1").arg(e.child());
            else if (e.type() == QAccessible::Selection)
                Heard << QStringLiteral("selection %1").arg(e.child());
            else if (e.type() == QAccessible::ValueChanged)
                Heard << QStringLiteral("value %1")
                             .arg(static_cast<QAccessibleValueChangeEvent&>(e).value().toInt());
        });
    }
    ~Listener() { Accessible::SetListenerForTesting({}); }
};

// Presses Tab (or Shift+Tab) in the active window until the focus comes back
// to a widget it already visited; the widgets it went through, in order.
inline QList<QWidget*> TabCycle(bool backwards = false) {
    QList<QWidget*> seen;
    while (QWidget* at = QApplication::focusWidget()) {
        QTest::keyClick(at, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        if (!now || seen.contains(now) || seen.size() > 64)
            break;
        seen << now;
    }
    return seen;
}

} // namespace AccessibleTree
