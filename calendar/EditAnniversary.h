#pragma once
// The editor of one day's anniversaries, one per line. "완 료" stores the
// lines, "모두 취소" removes the day's entry, "취 소" changes nothing.

#include "core/ProjectInfo.h"
#include "widgets/ModalDialog.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class TvxGradiButton;
class TvxGradiColors;

class TfrmEditAnniversary : public TvxModalDialog {
    Q_OBJECT

public:
    // Edits the store's Year, Month and Day as they are now: the dialog
    // keeps that date however the calendar moves while it is open.
    explicit TfrmEditAnniversary(const TvxAnniversary& store, QWidget* parent = nullptr);

    // Outer size, frame included, and screen position of the window as laid out.
    static constexpr int OuterWidth = 297;
    static constexpr int OuterHeight = 253;
    static constexpr int PlaceX = 386;
    static constexpr int PlaceY = 228;

    // The memo's lines as it shows them: a line the memo wraps counts as
    // the lines it shows; the empty line after a final line break does not count.
    QStringList MemoLines() const;
    // Fills the memo with the entries, one per line.
    void SetMemoLines(const QStringList& lines);

    // The warning for entries that would not read back whole; a Korean
    // letter takes hangulBytes in the file (2 in CP949, 3 in UTF-8).
    static QString TooLongText(qsizetype bytes, int hangulBytes = 2);

    // The edited date.
    const TvxAnniversary& EditedDate() const { return m_date; }

    QLabel* labDate;
    QPlainTextEdit* memAnniversary;
    TvxGradiColors* vxGradiColors1;
    TvxGradiButton* btnCancelAll;
    TvxGradiButton* btnConfirm;
    TvxGradiButton* btnCancel;

public slots:
    void btnConfirmClick();
    void btnCancelAllClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();

    TvxAnniversary m_date;
};
