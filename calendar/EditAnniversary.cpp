#include "calendar/EditAnniversary.h"

#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

namespace {

TvxGradiButton* button(QWidget* parent, TvxGradiColors* colors, const QString& caption, int x) {
    auto* b = new TvxGradiButton(parent);
    b->setGeometry(x, 180, 76, 25);
    b->SetColors(colors);
    b->SetCaption(caption);
    // No tab stop, yet the keyboard must be able to finish the edit.
    b->SetKeyboardReach(true);
    return b;
}

} // namespace

TfrmEditAnniversary::TfrmEditAnniversary(const TvxAnniversary& store, QWidget* parent)
    : TvxModalDialog(parent, TvxFrame::Sizeable), m_date(store) {
    setWindowTitle(QStringLiteral("기념일 수정"));
    // It can be moved, resized and maximised, not minimised: the calendar
    // waits for it, and a minimised editor would leave nothing to come back to.
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    SetOuterGeometry(QRect(PlaceX, PlaceY, OuterWidth, OuterHeight));

    labDate = new QLabel(this);
    labDate->move(10, 7);

    memAnniversary = new QPlainTextEdit(this);
    memAnniversary->setGeometry(7, 25, 264, 146);
    memAnniversary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memAnniversary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memAnniversary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One entry per line: Tab goes on to the next control instead of
    // putting a tab character into an entry.
    memAnniversary->setTabChangesFocus(true);
    memAnniversary->installEventFilter(this);

    vxGradiColors1 = new TvxGradiColors(this);
    btnCancelAll = button(this, vxGradiColors1, QStringLiteral("모두 취소"), 40);
    btnConfirm = button(this, vxGradiColors1, QStringLiteral("완 료"), 115);
    btnConfirm->SetModalResult(mrOk);
    btnCancel = button(this, vxGradiColors1, QStringLiteral("취 소"), 190);
    btnCancel->SetModalResult(mrCancel);
    connect(btnConfirm, &TvxGradiButton::clicked, this, &TfrmEditAnniversary::btnConfirmClick);
    connect(btnCancelAll, &TvxGradiButton::clicked, this, &TfrmEditAnniversary::btnCancelAllClick);

    memAnniversary->setFocus();
    FormCreate();
}

void TfrmEditAnniversary::FormCreate() {
    labDate->setText(
        QStringLiteral("%1년 %2월 %3일").arg(m_date.Year).arg(m_date.Month).arg(m_date.Day));
    labDate->adjustSize();
}

bool TfrmEditAnniversary::eventFilter(QObject* watched, QEvent* event) {
    // Tab and Shift+Tab move the focus on; with the memo the only stop they
    // never put a tab character into an entry.
    if (watched == memAnniversary && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab &&
                               !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return TvxModalDialog::eventFilter(watched, event);
}

QStringList TfrmEditAnniversary::MemoLines() const {
    QStringList lines;
    const QTextDocument* doc = memAnniversary->document();
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    // Wrapping is only known once the memo has its width on screen.
    const bool wrapped = layout && memAnniversary->isVisible();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (wrapped)
            layout->ensureBlockLayout(block);
        const QTextLayout* tl = wrapped ? block.layout() : nullptr;
        if (!tl || tl->lineCount() <= 1) {
            lines << text;
            continue;
        }
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine line = tl->lineAt(i);
            QString part = text.mid(line.textStart(), line.textLength());
            // The blanks at a wrap are where the memo broke the line.
            if (i + 1 < tl->lineCount()) {
                while (part.endsWith(u' '))
                    part.chop(1);
            }
            lines << part;
        }
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TfrmEditAnniversary::SetMemoLines(const QStringList& lines) {
    QString text = lines.join(u'\n');
    // A last entry that is empty needs its own line break to stay a line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        text += u'\n';
    memAnniversary->setPlainText(text);
}

QString TfrmEditAnniversary::TooLongText(qsizetype bytes, int hangulBytes) {
    return QStringLiteral("기념일 내용이 너무 깁니다.\n\n"
                          "하루에 저장할 수 있는 기념일은 모두 %1바이트(한글 약 %2자)까지이며, "
                          "지금 내용은 %3바이트입니다.\n"
                          "%4바이트 이상을 줄인 뒤 다시 저장해 주십시오.")
        .arg(TvxAnniversary::MaxDayBytes)
        .arg(TvxAnniversary::MaxDayBytes / std::max(1, hangulBytes))
        .arg(bytes)
        .arg(bytes - TvxAnniversary::MaxDayBytes);
}

void TfrmEditAnniversary::btnConfirmClick() {
    try {
        m_date.WriteAnniversaries(MemoLines());
    } catch (const EDayTooLong& refused) {
        // The store keeps no more than a read gives back; the memo stays for
        // the user to shorten.
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        TooLongText(refused.Bytes, refused.HangulBytes), QMessageBox::Ok, this);
        box.exec();
        btnConfirm->WithholdModalResult();
    } catch (const EFileError& error) {
        // Nothing was stored: the memo stays as it is, to try again or cancel.
        ShowFileError(this, error);
        btnConfirm->WithholdModalResult();
    }
}

void TfrmEditAnniversary::btnCancelAllClick() {
    try {
        m_date.DeleteAnniversaries();
    } catch (const EFileError& error) {
        ShowFileError(this, error);
        return;
    }
    Close();
}
