#include "widgets/MaskEdit.h"

#include <QFocusEvent>

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
