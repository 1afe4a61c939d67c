#include "widgets/MaskEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>

TvxMaskEdit::TvxMaskEdit(const QString& mask, QWidget* parent) : QLineEdit(parent) {
    setInputMask(mask);
}

void TvxMaskEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A masked line edit only puts the cursor on the first blank, and typing
    // then overwrites: "2500", entered again and typed "900", became "9000".
    // A click keeps the cursor where the user pointed; returning to the
    // window keeps whatever was selected before.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        selectAll();
        break;
    default:
        break;
    }
}

void TvxMaskEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    // A click past the text lands after the last blank, where the mask takes
    // nothing: digits typed there were refused without a sign, and a new
    // user clicking into the middle of an empty field could type nothing.
    // Such a click goes to the first blank instead; a click on the text
    // keeps the place pointed at.
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier ||
        hasSelectedText())
        return;
    const QString shown = displayText();
    if (cursorPosition() < shown.size())
        return;
    const QStringView blank = inputMask().section(u';', -1);
    const qsizetype first = blank.isEmpty() ? -1 : shown.indexOf(blank.front());
    if (first >= 0)
        setCursorPosition(int(first));
}
