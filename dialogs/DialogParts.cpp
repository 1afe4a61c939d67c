#include "dialogs/DialogParts.h"

#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

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

// --------------------------------------------------------------- time field

TvxTimeEdit::TvxTimeEdit(QWidget* parent) : QTimeEdit(parent) {
    lineEdit()->installEventFilter(this);
}

void TvxTimeEdit::keyPressEvent(QKeyEvent* event) {
    const Section section = currentSection();
    const int largest = section == HourSection                                 ? 23
                        : section == MinuteSection || section == SecondSection ? 59
                                                                               : -1;
    const QString typed = event->text();
    const bool digit =
        typed.size() == 1 && typed[0] >= u'0' && typed[0] <= u'9' &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const bool wholeText =
        lineEdit()->hasSelectedText() && lineEdit()->selectedText() == lineEdit()->text();
    if (!digit || largest < 0 || wholeText) {
        m_pendingDigit = -1;
        QTimeEdit::keyPressEvent(event);
        return;
    }
    const int d = typed[0].digitValue();
    int value = d;
    bool full = true; // no second digit can join
    if (section == m_pendingSection && m_pendingDigit >= 0 && m_pendingDigit * 10 + d <= largest) {
        value = m_pendingDigit * 10 + d;
    } else {
        // The section starts again; a digit that a second one can still
        // join waits for it ("2" of "23"), any other fills it ("7": 07).
        full = d * 10 > largest;
    }
    m_pendingSection = full ? NoSection : section;
    m_pendingDigit = full ? -1 : d;
    const QTime t = time();
    setTime(QTime(section == HourSection ? value : t.hour(),
                  section == MinuteSection ? value : t.minute(),
                  section == SecondSection ? value : t.second(), t.msec()));
    // A full section hands the typing on to the next one, as the toolkit's
    // field does, so that "083000" typed from the hours gives 08:30:00.
    Section next = section;
    if (full && section == HourSection)
        next = MinuteSection;
    else if (full && section == MinuteSection)
        next = SecondSection;
    setSelectedSection(next);
    event->accept();
}

void TvxTimeEdit::focusOutEvent(QFocusEvent* event) {
    m_pendingDigit = -1;
    QTimeEdit::focusOutEvent(event);
}

bool TvxTimeEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) {
        if (event->type() == QEvent::MouseButtonPress)
            m_pendingDigit = -1;
        // The press has put the cursor into a section; a plain click (not
        // a drag that selected text) selects that whole section.
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
            !lineEdit()->hasSelectedText())
            setSelectedSection(currentSection());
    }
    return QTimeEdit::eventFilter(watched, event);
}
