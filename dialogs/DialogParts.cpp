#include "dialogs/DialogParts.h"

#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QLabel>

namespace DialogParts {

QFont Font(int pixelSize, bool bold) {
    QFont f = Look::BaseFont(pixelSize);
    f.setBold(bold);
    return f;
}

QLabel* Label(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* Label(QWidget* parent, const QString& text, int x, int y, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    label->move(x, y);
    SetAutoSizeText(label, text);
    return label;
}

QLabel* RightLabel(QWidget* parent, const QString& text, int right, int y) {
    return RightLabel(parent, text, right, y, parent->font());
}

QLabel* RightLabel(QWidget* parent, const QString& text, int right, int y, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->adjustSize();
    label->move(right - label->width(), y);
    return label;
}

void SetAutoSizeText(QLabel* label, const QString& text) {
    label->setText(text);
    label->adjustSize();
}

QLabel* Icon(QWidget* parent, const QIcon& icon, int x, int y, const QString& name) {
    auto* label = new QLabel(parent);
    label->setGeometry(x, y, 32, 32);
    label->setAccessibleName(name);
    if (!icon.isNull())
        label->setPixmap(icon.pixmap(32, 32));
    return label;
}

TvxGradiButton* Button(QWidget* parent, TvxGradiColors* colors, const QString& caption, int x,
                       int y, int width, int height) {
    auto* button = new TvxGradiButton(parent);
    button->setGeometry(x, y, width, height);
    button->SetColors(colors);
    button->SetCaption(caption);
    button->SetIconX(5);
    button->SetIconY(5);
    // Never a tab stop by design, yet every answer a dialog asks for must be
    // open to the keyboard: Tab reaches the button, Space or Enter press it.
    button->SetKeyboardReach(true);
    return button;
}

} // namespace DialogParts
