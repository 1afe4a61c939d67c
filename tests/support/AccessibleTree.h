#pragma once
// What assistive technology sees of a window, checked in-process: the tree
// of accessible interfaces Qt builds for it (the same one the desktop's
// accessibility bus carries), and which controls the keyboard reaches.
// Header-only, for tests that link Qt Widgets.

#include <QAccessible>
#include <QApplication>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <functional>

namespace AccessibleTree {

// Roles a user acts on, types into or reads a value from: a screen reader
// must be able to say what each one is for.
inline bool NeedsName(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::ProgressBar:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Table:
    case QAccessible::Cell:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::Graphic:
    case QAccessible::Dialog:
    case QAccessible::Window:
        return true;
    default:
        return false;
    }
}

// Every interface below and including `root`, depth first.
inline void Walk(QAccessibleInterface* root,
                 const std::function<void(QAccessibleInterface*)>& visit, int depth = 0) {
    if (!root || !root->isValid() || depth > 64)
        return;
    visit(root);
    for (int i = 0; i < root->childCount(); ++i)
        Walk(root->child(i), visit, depth + 1);
}

inline QString Describe(QAccessibleInterface* iface) {
    const QObject* o = iface->object();
    QString what = o ? QString::fromLatin1(o->metaObject()->className()) : QStringLiteral("?");
    if (o && !o->objectName().isEmpty())
        what += QLatin1Char(' ') + o->objectName();
    if (const auto* w = qobject_cast<const QWidget*>(o))
        what += QStringLiteral(" at %1,%2").arg(w->x()).arg(w->y());
    return what + QStringLiteral(" (role 0x%1)").arg(int(iface->role()), 0, 16);
}

// What a screen-reader user would miss in the window: shown controls
// without a name, buttons without a press action, and drawn areas that Qt
// cannot describe at all (a bare, nameless "client" area with nothing inside
// is how a self-painted control looks when nobody told Qt what it is).
// `decorations` lists the classes that are mere ornaments.
inline QStringList Problems(QWidget* window, const QSet<QString>& decorations = {}) {
    QStringList problems;
    Walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
        if (a->state().invisible)
            return;
        const QString name = a->text(QAccessible::Name).trimmed();
        if (NeedsName(a->role()) && name.isEmpty())
            problems << Describe(a) + QStringLiteral(": no name");
        if (a->role() == QAccessible::Button) {
            QAccessibleActionInterface* act = a->actionInterface();
            if (!act || !act->actionNames().contains(QAccessibleActionInterface::pressAction()))
                problems << Describe(a) + QStringLiteral(": no press action");
        }
        const QObject* o = a->object();
        // Qt's own inner parts (a scroll area's viewport) are named "qt_...".
        if (a->role() == QAccessible::Client && a->childCount() == 0 && name.isEmpty() && o &&
            !o->objectName().startsWith(QLatin1String("qt_")) &&
            !decorations.contains(QString::fromLatin1(o->metaObject()->className())))
            problems << Describe(a) + QStringLiteral(": an unknown drawn area");
    });
    return problems;
}

// The shown, enabled widgets of the window that present themselves as
// buttons: the commands the keyboard must reach.
inline QList<QWidget*> Buttons(QWidget* window) {
    QList<QWidget*> buttons;
    Walk(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* a) {
        auto* w = qobject_cast<QWidget*>(a->object());
        if (w && a->role() == QAccessible::Button && !a->state().invisible && !a->state().disabled)
            buttons << w;
    });
    return buttons;
}

// Presses Tab (or Shift+Tab) in the active window, as a user would, until
// the focus comes back to a widget it already visited, and lists the
// widgets it went through in order.
inline QList<QWidget*> TabCycle(bool backwards = false, int limit = 64) {
    QList<QWidget*> seen;
    for (int i = 0; i < limit; ++i) {
        QWidget* at = QApplication::focusWidget();
        if (!at)
            break;
        if (backwards)
            QTest::keyClick(at, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(at, Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (!now || seen.contains(now))
            break;
        seen << now;
    }
    return seen;
}

} // namespace AccessibleTree
