// The month calendar on the right of the main window: the header buttons,
// the month laid out in grdCa, the painting of each day cell and the
// anniversary editor opened by a double-click.

#include "calendar/EditAnniversary.h"
#include "calendar/HintGrid.h"
#include "dialogs/DialogParts.h"
#include "mainwindow/main.h"
#include "widgets/Accessible.h"
#include "widgets/ErrorBox.h"
#include "widgets/Look.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace {

// Cell colours: not selected, selected.
struct CellColors {
    QColor normal;
    QColor selected;
};
const CellColors kHolidayCell{QColor(0xFF, 0xDD, 0xFF), QColor(0xFA, 0xD8, 0x89)};
const CellColors kSundayCell{QColor(0xFF, 0xD6, 0xC1), QColor(0xFF, 0x9E, 0x6A)};
const CellColors kSaturdayCell{QColor(0xEC, 0xEC, 0xFF), QColor(0x80, 0x80, 0xFF)};
const CellColors kWeekdayCell{QColor(0xFF, 0xFF, 0xFF), QColor(0xCE, 0xFF, 0xE7)};
const QColor kEmptyCell(0xF4, 0xF2, 0xEA);
const QColor kLunarText(0xC0, 0xC0, 0xC0);
const QColor kTodayBox(0xFF, 0x00, 0x00);

// The column of every text after the day number, and the line steps.
constexpr int kTextIndent = 16;
constexpr int kHolidayStep = 14;
constexpr int kLineStep = 12;

// Writes text with its top-left corner at (x, y) on a box of `back` exactly
// as large as the text.
void writeText(QPainter& p, int x, int y, const QString& text, const QColor& fore,
               const QColor& back) {
    if (text.isEmpty())
        return;
    const QFontMetrics fm = p.fontMetrics();
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), back);
    p.setPen(fore);
    p.drawText(x, y + fm.ascent(), text);
}

// Runs FormActivate on every activation of the main window. A window that
// is shown without being activated (a window manager that keeps the focus
// elsewhere) still shows its month; its first activation then lays it out
// as if nothing had been drawn before.
class ActivationWatcher : public QObject {
public:
    ActivationWatcher(TfrmMain* window, THintGrid* grid)
        : QObject(window), m_window(window), m_grid(grid) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Show && !m_activated && !m_filledOnShow) {
            m_filledOnShow = true;
            m_window->FillMonth();
        } else if (event->type() == QEvent::WindowActivate) {
            if (!m_activated && m_filledOnShow)
                m_grid->LastDrawnDay = 0;
            m_activated = true;
            m_window->FormActivate();
        }
        return false;
    }

private:
    TfrmMain* m_window;
    THintGrid* m_grid;
    bool m_activated = false;
    bool m_filledOnShow = false;
};

// The user's pick of a day (a double-click, or today's cell at midnight):
// the next layout selects it until another day cell is drawn.
void pickDay(TvxAnniversary& cursor, THintGrid* grid, int day) {
    cursor.Day = uint16_t(day);
    grid->LastDrawnDay = 0;
}

} // namespace

void TfrmMain::BuildCalendar() {
    // Set 1 (vxGradiColors1) is the window's own; Sunday and Saturday have theirs.
    vxGradiColors2 = new TvxGradiColors(this);
    vxGradiColors2->setClrBegin(QColor(0xFF, 0xC9, 0xAC));
    vxGradiColors2->setClrEnd(QColor(0xFF, 0x9E, 0x6A));
    vxGradiColors2->setClrOutShadow(QColor(0xFF, 0xFF, 0xFF));
    vxGradiColors2->setClrOutBorder(QColor(0xCC, 0xC7, 0xB3));
    vxGradiColors3 = new TvxGradiColors(this);
    vxGradiColors3->setClrBegin(QColor(0xC1, 0xC1, 0xFF));
    vxGradiColors3->setClrEnd(QColor(0x80, 0x80, 0xFF));
    vxGradiColors3->setClrOutShadow(QColor(0xFF, 0xFF, 0xFF));
    vxGradiColors3->setClrOutBorder(QColor(0xCC, 0xC7, 0xB3));

    auto button = [this](int x, int y, int w, TvxGradiColors* colors, const QString& caption) {
        return DialogParts::Button(this, colors, caption, x, y, w, 25);
    };
    btnBeforeMonth = button(203, 4, 70, vxGradiColors1, QString());
    btnBeforeYear = button(272, 4, 80, vxGradiColors1, QString());
    btnYear = button(351, 4, 272, vxGradiColors1, QString());
    QFont yearFont = Look::BaseFont(13);
    yearFont.setBold(true);
    btnYear->setFont(yearFont);
    btnNextYear = button(622, 4, 80, vxGradiColors1, QString());
    btnNextMonth = button(701, 4, 70, vxGradiColors1, QString());
    connect(btnBeforeMonth, &TvxGradiButton::clicked, this, &TfrmMain::btnBeforeMonthClick);
    connect(btnBeforeYear, &TvxGradiButton::clicked, this, &TfrmMain::btnBeforeYearClick);
    connect(btnNextYear, &TvxGradiButton::clicked, this, &TfrmMain::btnNextYearClick);
    connect(btnNextMonth, &TvxGradiButton::clicked, this, &TfrmMain::btnNextMonthClick);

    vxGradiButton1 = button(203, 29, 82, vxGradiColors2, QStringLiteral("일요일"));
    vxGradiButton2 = button(284, 29, 82, vxGradiColors1, QStringLiteral("월요일"));
    vxGradiButton3 = button(365, 29, 82, vxGradiColors1, QStringLiteral("화요일"));
    vxGradiButton4 = button(446, 29, 82, vxGradiColors1, QStringLiteral("수요일"));
    vxGradiButton5 = button(527, 29, 82, vxGradiColors1, QStringLiteral("목요일"));
    vxGradiButton6 = button(608, 29, 82, vxGradiColors1, QStringLiteral("금요일"));
    vxGradiButton7 = button(689, 29, 82, vxGradiColors3, QStringLiteral("토요일"));
    // The month's caption and the weekday headers do nothing when pressed:
    // the keyboard passes them by.
    for (TvxGradiButton* header : {btnYear, vxGradiButton1, vxGradiButton2, vxGradiButton3,
                                   vxGradiButton4, vxGradiButton5, vxGradiButton6, vxGradiButton7})
        header->SetKeyboardReach(false);

    grdCa = new THintGrid(this);
    grdCa->setGeometry(204, 54, 566, 425);
    grdCa->SetColCount(7);
    grdCa->SetDefaultColWidth(80);
    grdCa->SetDefaultRowHeight(70);
    grdCa->SetRowCount(6);
    grdCa->SetStore(&m_cursor);
    grdCa->OnDrawCell = [this](QPainter& p, int c, int r, const QRect& rect, bool selected,
                               const TvxMonthEntries& month) {
        grdCaDrawCell(p, c, r, rect, selected, month);
    };
    grdCa->OnDescribeCell = [this](int c, int r, const TvxMonthEntries& month) {
        return DescribeCalendarCell(c, r, month);
    };
    for (const TvxGradiButton* header :
         {vxGradiButton1, vxGradiButton2, vxGradiButton3, vxGradiButton4, vxGradiButton5,
          vxGradiButton6, vxGradiButton7})
        grdCa->ColumnTitles << header->Caption();
    connect(grdCa, &THintGrid::doubleClicked, this, &TfrmMain::grdCaDblClick);

    new ActivationWatcher(this, grdCa);

    // The store took its month when the program started; should the month
    // have changed since (a daily check left open over midnight), the first
    // tick moves the calendar on to today's.
    m_today = DateTimeToTimeStamp(Clock::Now()).Date;
    int year, month, day;
    DecodeDayNumber(m_today, year, month, day);
    if (m_cursor.Year != year || m_cursor.Month != month)
        m_today = DayNumberOf(m_cursor.Year, m_cursor.Month, 1);
}

void TfrmMain::FormActivate() {
    FillMonth();
}

// -------------------------------------------------------------- the month

void TfrmMain::FillMonth() {
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            grdCa->SetDay(c, r, 0);

    // Computed wide: one step back from year 0 shows -1, not 65535.
    const int year = m_cursor.Year;
    const int month = m_cursor.Month;
    btnYear->SetCaption(QStringLiteral("%1년 %2월").arg(year).arg(month));
    btnBeforeMonth->SetCaption(QStringLiteral("◀ ") +
                               (month == 1 ? QString::number(year - 1) + QStringLiteral(".12")
                                           : QString::number(month - 1) + QStringLiteral("월")));
    btnNextMonth->SetCaption((month == 12 ? QString::number(year + 1) + QStringLiteral(".1")
                                          : QString::number(month + 1) + QStringLiteral("월")) +
                             QStringLiteral(" ▶"));
    btnBeforeYear->SetCaption(QString::number(year - 1));
    btnNextYear->SetCaption(QString::number(year + 1));
    // The arrows say nothing to a listener: the steps are named in words.
    btnBeforeMonth->setAccessibleName(QStringLiteral("이전 달, ") +
                                      Accessible::SpokenCaption(btnBeforeMonth->Caption()).mid(2));
    btnNextMonth->setAccessibleName(QStringLiteral("다음 달, ") +
                                    Accessible::SpokenCaption(btnNextMonth->Caption()).chopped(2));
    btnBeforeYear->setAccessibleName(QStringLiteral("이전 해, ") + btnBeforeYear->Caption());
    btnNextYear->setAccessibleName(QStringLiteral("다음 해, ") + btnNextYear->Caption());
    grdCa->setAccessibleName(QStringLiteral("%1년 %2월 달력").arg(year).arg(month));

    if (year < 1 || year > 9999 || month < 1 || month > 12) {
        // Closing the box activates the window again, which would lay the
        // same month out and report it once more, without end: each month
        // that cannot be shown is reported once on arrival.
        const int key = year * 16 + month;
        if (m_unlaidMonth != key) {
            m_unlaidMonth = key;
            ShowErrorBox(QStringLiteral("Invalid argument to date encode"), this);
        }
        return;
    }
    m_unlaidMonth = -1;

    // The day of the last cell drawn, as the calendar has always selected
    // it (after a whole paint, the month's last day); the user's own pick
    // when nothing was drawn since.
    const int selected = grdCa->LastDrawnDay > 0 ? grdCa->LastDrawnDay : m_cursor.Day;
    const int days = DaysInMonth(year, month);
    // Day 1 of year 1 was a Monday.
    int col = int(DayNumberOf(year, month, 1) % 7);
    int row = 0;
    for (int d = 1; d <= days; ++d) {
        grdCa->SetDay(col, row, d);
        if (d == selected) {
            grdCa->SetCol(col);
            grdCa->SetRow(row);
        }
        col = (col + 1) % 7;
        if (col == 0)
            ++row;
    }
}

void TfrmMain::GoPrevYear() {
    m_cursor.PrevYear();
    FillMonth();
}

void TfrmMain::GoNextYear() {
    m_cursor.NextYear();
    FillMonth();
}

void TfrmMain::GoPrevMonth() {
    m_cursor.PrevMonth();
    FillMonth();
}

void TfrmMain::GoNextMonth() {
    m_cursor.NextMonth();
    FillMonth();
}

void TfrmMain::btnBeforeYearClick() {
    GoPrevYear();
}

void TfrmMain::btnNextYearClick() {
    GoNextYear();
}

void TfrmMain::btnBeforeMonthClick() {
    GoPrevMonth();
}

void TfrmMain::btnNextMonthClick() {
    GoNextMonth();
}

void TfrmMain::FollowToday() {
    // Once a second: one comparison of day numbers, nothing read.
    const qint64 today = DateTimeToTimeStamp(Clock::Now()).Date;
    if (today == m_today)
        return;
    int oldYear, oldMonth, oldDay, year, month, day;
    DecodeDayNumber(m_today, oldYear, oldMonth, oldDay);
    DecodeDayNumber(today, year, month, day);
    m_today = today;
    if (m_cursor.Year == oldYear && m_cursor.Month == oldMonth &&
        (year != oldYear || month != oldMonth)) {
        m_cursor.Year = uint16_t(year);
        m_cursor.Month = uint16_t(month);
        pickDay(m_cursor, grdCa, day); // today's cell is selected
        FillMonth();
    }
    grdCa->update();
}

// ---------------------------------------------------------------- the cells

void TfrmMain::grdCaDrawCell(QPainter& canvas, int ACol, int ARow, const QRect& Rect, bool selected,
                             const TvxMonthEntries& month) {
    const int day = grdCa->Day(ACol, ARow);
    if (day <= 0) {
        canvas.fillRect(Rect, kEmptyCell);
        return;
    }
    const TvxDayEntries entries = month.Of(uint16_t(day));
    QColor color;
    if (entries.Holiday.isEmpty()) {
        const CellColors& set = ACol == 0 ? kSundayCell : ACol == 6 ? kSaturdayCell : kWeekdayCell;
        color = selected ? set.selected : set.normal;
    } else {
        color = selected ? kHolidayCell.selected : kHolidayCell.normal;
    }
    canvas.fillRect(Rect, color);

    int y, m, d, h, mi, s, ms;
    DecodeDateTime(Clock::Now(), y, m, d, h, mi, s, ms);
    const bool today = month.Year() == y && month.Month() == m && day == d;
    writeText(canvas, Rect.left(), Rect.top(), QString::number(day), today ? Qt::white : Qt::black,
              today ? kTodayBox : color);

    const int x = Rect.left() + kTextIndent;
    FCellLines = entries.Anniversaries;
    int lineY = Rect.top();
    if (!entries.Holiday.isEmpty()) {
        writeText(canvas, x, lineY, entries.Holiday, Qt::black, color);
        lineY = Rect.top() + kHolidayStep;
    }
    if (entries.Stored) {
        for (const QString& line : std::as_const(FCellLines)) {
            writeText(canvas, x, lineY, line, Qt::black, color);
            lineY += kLineStep;
        }
    } else if (entries.Holiday.isEmpty()) {
        writeText(canvas, x, lineY, entries.Lunar, kLunarText, color);
    }
}

QString TfrmMain::DescribeCalendarCell(int col, int row, const TvxMonthEntries& month) {
    // What the cell shows, in the order it shows it, for a listener: the
    // date, today's mark, the holidays, then the anniversaries or, on a day
    // with none, the lunar date.
    const int day = grdCa->Day(col, row);
    if (day <= 0)
        return QStringLiteral("빈 칸");
    QStringList parts{QStringLiteral("%1년 %2월 %3일 %4")
                          .arg(month.Year())
                          .arg(month.Month())
                          .arg(day)
                          .arg(grdCa->ColumnTitles.value(col))};
    int y, m, d, h, mi, s, ms;
    DecodeDateTime(Clock::Now(), y, m, d, h, mi, s, ms);
    if (month.Year() == y && month.Month() == m && day == d)
        parts << QStringLiteral("오늘");
    const TvxDayEntries entries = month.Of(uint16_t(day));
    if (!entries.Holiday.isEmpty())
        parts << entries.Holiday;
    if (entries.Stored)
        parts << entries.Anniversaries;
    else if (entries.Holiday.isEmpty())
        parts << QStringLiteral("음력 ") + entries.Lunar;
    return parts.join(QStringLiteral(", "));
}

QImage TfrmMain::RenderCalendarCell(int col, int row) {
    return grdCa->RenderCell(col, row);
}

// ------------------------------------------------------------ the editor

void TfrmMain::grdCaDblClick() {
    const int col = grdCa->Col();
    const int row = grdCa->Row();
    const int day = grdCa->Day(col, row);
    if (day <= 0)
        return;
    pickDay(m_cursor, grdCa, day);
    {
        TfrmEditAnniversary dlg(m_cursor, this);
        dlg.SetMemoLines(m_cursor.ReadAnniversaries(m_cursor.Day));
        ShowOwnedModal(dlg);
    }
    // The cell shows the entries as they are stored now.
    grdCa->update(grdCa->CellRect(col, row));
}
