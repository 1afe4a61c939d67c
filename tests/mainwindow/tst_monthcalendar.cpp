// The month calendar of the main window: header, month layout, navigation
// and activation, the year range, cell colours and text positions, and the
// double-click editor.

#include "calendar/EditAnniversary.h"
#include "calendar/HintGrid.h"
#include "core/ProjectInfo.h"
#include "mainwindow/ImagesRes.h"
#include "mainwindow/main.h"
#include "runtime/TextFile.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/mainwindow/MainWindowBench.h"
#include "tests/support/TestSupport.h"
#include "widgets/ErrorBox.h"
#include "widgets/vxGradiBtn.h"
#include "widgets/vxGradiClrs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

using DialogDriver::click;
using TestSupport::Part;

namespace {
// The captions of the year and the month steps, in the order of the tables.
QStringList stepCaptions(TfrmMain& w) {
    QStringList captions;
    for (const char* name :
         {"btnYear", "btnBeforeMonth", "btnNextMonth", "btnBeforeYear", "btnNextYear"})
        captions << TestSupport::Part<TvxGradiButton>(w, name)->Caption();
    return captions;
}
} // namespace

namespace {

const TDateTime kNow = EncodeDateTime(2026, 12, 8, 12, 43, 15);

// The parts of the grid that were painted since it was made.
class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* w) { w->installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// What a cell shows, seen through its pixels.
struct Ink {
    QList<int> darkRows; // rows (y) with black text right of x = 16
    int darkLeft = 999;  // leftmost black text pixel right of x = 16
    int darkest = 0xFF;  // right of x = 16
    bool darkNumber = false;
    // Text right of x = 16 no darker than #C0C0C0: the lunar date.
    bool pale() const { return darkest >= 0xC0 && darkest < 0xF0; }
};

Ink inkOf(const QImage& cell, QRgb background) {
    Ink ink;
    for (int y = 0; y < cell.height(); ++y) {
        bool rowDark = false;
        for (int x = 0; x < cell.width(); ++x) {
            const QRgb p = cell.pixel(x, y);
            if ((p & 0xFFFFFF) == (background & 0xFFFFFF))
                continue;
            const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
            if (x < 16) {
                ink.darkNumber = ink.darkNumber || hi < 0x70;
                continue;
            }
            ink.darkest = std::min(ink.darkest, hi);
            if (hi < 0x70) {
                rowDark = true;
                ink.darkLeft = std::min(ink.darkLeft, x);
            }
        }
        if (rowDark)
            ink.darkRows << y;
    }
    return ink;
}

} // namespace

class TestMonthCalendar : public QObject, private MainWindowBench {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void header();
    void monthLayout_data();
    void monthLayout();
    void captions_data();
    void captions();
    void navigation_data();
    void navigation();
    void firstActivationShowsToday_data();
    void firstActivationShowsToday();
    void yearsThatCannotBeLaidOut_data();
    void yearsThatCannotBeLaidOut();
    void cellColours_data();
    void cellColours();
    void todayIsWhiteOnRed();
    void textPositions_data();
    void textPositions();
    void doubleClickEditsTheDay();
    void doubleClickOnAnEmptyCell();
    void cellsAsAScreenReaderSaysThem_data();
    void cellsAsAScreenReaderSaysThem();
    void longDayOpensWhole();
    void midnight_data();
    void midnight();
    void eachFileOncePerPaint();

private:
    void show(int year, int month);
    QPoint cellOf(int day) const; // in the displayed month
    QStringList m_errors;
};

void TestMonthCalendar::init() {
    SetUpBench(kNow);
    m_errors.clear();
    SetErrorBoxHandler([this](const QString& m) { m_errors << m; });
}

void TestMonthCalendar::cleanup() {
    TearDownBench();
    SetErrorBoxHandler({});
}

void TestMonthCalendar::show(int year, int month) {
    m_cursor->Year = uint16_t(year);
    m_cursor->Month = uint16_t(month);
    m_main->FillMonth();
}

QPoint TestMonthCalendar::cellOf(int day) const {
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            if (Part<THintGrid>(*m_main, "grdCa")->Day(c, r) == day)
                return QPoint(c, r);
    return QPoint(-1, -1);
}

// The header's colour sets: set 1 for the navigation and weekday buttons,
// set 2 for Sunday, set 3 for Saturday.
void TestMonthCalendar::header() {
    TfrmMain& w = MakeWindow();
    const QList<QColor> set1{QColor(0xFFFCEE), QColor(0xF4EFD5), QColor(0xE7E2D1)};
    const QList<QColor> set2{QColor(0xFFC9AC), QColor(0xFF9E6A), QColor(0xFFFFFF)};
    const QList<QColor> set3{QColor(0xC1C1FF), QColor(0x8080FF), QColor(0xFFFFFF)};
    const QList<std::pair<TvxGradiButton*, QList<QColor>>> rows{
        {Part<TvxGradiButton>(w, "btnYear"), set1},
        {Part<TvxGradiButton>(w, "vxGradiButton4"), set1},
        {Part<TvxGradiButton>(w, "vxGradiButton1"), set2},
        {Part<TvxGradiButton>(w, "vxGradiButton7"), set3}};
    for (const auto& [button, set] : rows) {
        const TvxGradiColors* c = button->Colors();
        QCOMPARE((QList<QColor>{c->clrBegin(), c->clrEnd(), c->clrOutShadow()}), set);
        QCOMPARE(c->clrOutBorder(), QColor(0xCCC7B3));
    }
    QVERIFY(Part<TvxGradiButton>(w, "btnYear")->font().bold());
    QCOMPARE(Part<TvxGradiButton>(w, "btnYear")->font().pixelSize(), 13);
}

// Column k is weekday k from Sunday; row 0 holds day 1; nothing else is shown.
void TestMonthCalendar::monthLayout_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("days");
    QTest::newRow("February 2026 begins on a Sunday") << 2026 << 2 << 0 << 28;
    QTest::newRow("August 2026 begins on a Saturday") << 2026 << 8 << 6 << 31;
    QTest::newRow("December 2026") << 2026 << 12 << 2 << 31;
    QTest::newRow("February 2024 leap") << 2024 << 2 << 4 << 29;
    QTest::newRow("February 2000 leap") << 2000 << 2 << 2 << 29;
    QTest::newRow("February 2100 not leap") << 2100 << 2 << 1 << 28;
    QTest::newRow("January of year 1") << 1 << 1 << 1 << 31;
    QTest::newRow("December 9999") << 9999 << 12 << 3 << 31;
}

void TestMonthCalendar::monthLayout() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, firstColumn);
    QFETCH(int, days);
    MakeWindow();
    show(year, month);
    int filled = 0;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const int day = r * 7 + c - firstColumn + 1;
            const int expected = day >= 1 && day <= days ? day : 0;
            QCOMPARE(Part<THintGrid>(*m_main, "grdCa")->Day(c, r), expected);
            filled += expected == 0 ? 0 : 1;
        }
    }
    QCOMPARE(filled, days);
    QVERIFY(m_errors.isEmpty());
    if (year == 2026 && month == 8)
        QCOMPARE(cellOf(31), QPoint(1, 5));
}

void TestMonthCalendar::captions_data() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QStringList>("captions"); // year, before month, next month, years
    QTest::newRow("December 2026")
        << 2026 << 12 << QStringList{"2026년 12월", "◀ 11월", "2027.1 ▶", "2025", "2027"};
    QTest::newRow("January 2027") << 2027 << 1
                                  << QStringList{"2027년 1월", "◀ 2026.12", "2월 ▶", "2026",
                                                 "2028"};
}

void TestMonthCalendar::captions() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QStringList, captions);
    TfrmMain& w = MakeWindow();
    show(year, month);
    QCOMPARE(stepCaptions(w), captions);
}

// The working day selects its number in the next month when it has one;
// otherwise the selection keeps its place.
void TestMonthCalendar::navigation_data() {
    QTest::addColumn<QList<int>>("from"); // year, month, working day
    QTest::addColumn<QString>("steps");   // buttons clicked, in order
    QTest::addColumn<QList<int>>("to");   // year, month
    QTest::addColumn<QPoint>("selected"); // the one selected cell
    QTest::addColumn<QString>("selectedText");
    QTest::newRow("the 31st to the 31st")
        << QList<int>{2026, 12, 31} << "NextMonth" << QList<int>{2027, 1} << QPoint(0, 5) << "31";
    QTest::newRow("no 31st: the cell stays")
        << QList<int>{2027, 1, 31} << "NextMonth" << QList<int>{2027, 2} << QPoint(0, 5) << "";
    QTest::newRow("a year keeps the month; 29 February is gone")
        << QList<int>{2028, 2, 29} << "NextYear" << QList<int>{2029, 2} << QPoint(2, 4) << "27";
    QTest::newRow("back a month over the new year")
        << QList<int>{2027, 1, 15} << "BeforeMonth" << QList<int>{2026, 12} << QPoint(2, 2) << "15";
    QTest::newRow("each click one year")
        << QList<int>{2026, 12, 0} << "BeforeYear BeforeYear BeforeYear NextYear"
        << QList<int>{2024, 12} << QPoint(0, 0) << "1";
}

void TestMonthCalendar::navigation() {
    QFETCH(QList<int>, from);
    QFETCH(QString, steps);
    QFETCH(QList<int>, to);
    QFETCH(QPoint, selected);
    QFETCH(QString, selectedText);
    TfrmMain& w = MakeWindow();
    m_cursor->Day = uint16_t(from[2]);
    show(from[0], from[1]);
    const QHash<QString, TvxGradiButton*> buttons{
        {"NextMonth", Part<TvxGradiButton>(w, "btnNextMonth")},
        {"BeforeMonth", Part<TvxGradiButton>(w, "btnBeforeMonth")},
        {"NextYear", Part<TvxGradiButton>(w, "btnNextYear")},
        {"BeforeYear", Part<TvxGradiButton>(w, "btnBeforeYear")}};
    for (const QString& step : steps.split(u' '))
        DialogDriver::click(buttons.value(step));
    QCOMPARE(int(m_cursor->Year), to[0]);
    QCOMPARE(int(m_cursor->Month), to[1]);
    QCOMPARE(Part<THintGrid>(w, "grdCa")->Selection(), QRect(selected, QSize(1, 1)));
    const int selectedDay = Part<THintGrid>(w, "grdCa")->Day(selected.x(), selected.y());
    QCOMPARE(selectedDay > 0 ? QString::number(selectedDay) : QString(), selectedText);
    QCOMPARE(int(m_cursor->Day), from[2]); // navigation never changes it
}

// The first activation shows today's month with the top-left cell
// selected, also when the window was shown (and painted) before it was
// activated; a month reached by navigation stays when the window comes back.
void TestMonthCalendar::firstActivationShowsToday_data() {
    QTest::addColumn<bool>("shownFirst");
    QTest::newRow("activated") << false;
    QTest::newRow("shown and painted first") << true;
}

void TestMonthCalendar::firstActivationShowsToday() {
    QFETCH(bool, shownFirst);
    TfrmMain& w = MakeWindow();
    QCOMPARE(int(m_cursor->Day), 0);
    if (shownFirst) {
        w.show();
        QCOMPARE(Part<THintGrid>(w, "grdCa")->Day(2, 0), 1); // there before any activation
        Part<THintGrid>(w, "grdCa")->Render();
    }
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(Part<TvxGradiButton>(w, "btnYear")->Caption(), QStringLiteral("2026년 12월"));
    QCOMPARE(Part<THintGrid>(w, "grdCa")->Selection(),
             QRect(0, 0, 1, 1)); // December begins on a Tuesday
    Part<THintGrid>(w, "grdCa")->Render();
    click(Part<TvxGradiButton>(w, "btnNextMonth"));
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(Part<TvxGradiButton>(w, "btnYear")->Caption(), QStringLiteral("2027년 1월"));
    QCOMPARE(Part<THintGrid>(w, "grdCa")->Selection(), QRect(cellOf(31), QSize(1, 1)));
}

// Years 0 and above 9999 cannot be laid out: the captions are set, the grid
// stays empty, one error box says so; navigating back lays months out again.
void TestMonthCalendar::yearsThatCannotBeLaidOut_data() {
    QTest::addColumn<QList<int>>("from");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("back");
    QTest::addColumn<QList<int>>("backTo"); // year, month, column of day 1
    QTest::newRow("one year back from year 1")
        << QList<int>{1, 1} << "PrevYear" << QStringList{"0년 1월", "◀ -1.12", "2월 ▶", "-1", "1"}
        << "NextYear" << QList<int>{1, 1, 1};
    QTest::newRow("one month on from December 9999")
        << QList<int>{9999, 12} << "NextMonth"
        << QStringList{"10000년 1월", "◀ 9999.12", "2월 ▶", "9999", "10001"} << "PrevMonth"
        << QList<int>{9999, 12, 3};
    QTest::newRow("back from year 0 wraps to 65535")
        << QList<int>{0, 6} << "PrevYear"
        << QStringList{"65535년 6월", "◀ 5월", "7월 ▶", "65534", "65536"} << "NextYear"
        << QList<int>{0, 6, -1};
}

void TestMonthCalendar::yearsThatCannotBeLaidOut() {
    QFETCH(QList<int>, from);
    QFETCH(QString, step);
    QFETCH(QStringList, captions);
    QFETCH(QString, back);
    QFETCH(QList<int>, backTo);
    TfrmMain& w = MakeWindow();
    show(2026, 12);
    show(from[0], from[1]);
    m_errors.clear();
    auto go = [&w](const QString& s) {
        const QMap<QString, const char*> buttons = {{"PrevYear", "btnBeforeYear"},
                                                    {"NextYear", "btnNextYear"},
                                                    {"PrevMonth", "btnBeforeMonth"},
                                                    {"NextMonth", "btnNextMonth"}};
        click(Part<TvxGradiButton>(w, buttons.value(s)));
    };
    go(step);
    QCOMPARE(stepCaptions(w), captions);
    QCOMPARE(m_errors, QStringList{"Invalid argument to date encode"});
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            QCOMPARE(Part<THintGrid>(w, "grdCa")->Day(c, r), 0);
    Part<THintGrid>(w, "grdCa")->Render(); // empty cells paint without looking anything up
    // Closing the box activates the window again, which lays the month out
    // again: it is not reported once more (and again, without end).
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(m_errors.size(), 1);
    go(back);
    QCOMPARE(int(m_cursor->Year), backTo[0]);
    QCOMPARE(int(m_cursor->Month), backTo[1]);
    if (backTo[2] < 0) {
        QCOMPARE(m_errors.size(), 2); // year 0 again
        return;
    }
    QCOMPARE(m_errors.size(), 1);
    QCOMPARE(Part<THintGrid>(w, "grdCa")->Day(backTo[2], 0), 1);
}

void TestMonthCalendar::cellColours_data() {
    QTest::addColumn<int>("day"); // 0: an empty cell
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("weekday") << 9 << false << QColor(0xFFFFFF);
    QTest::newRow("weekday selected") << 9 << true << QColor(0xCEFFE7);
    QTest::newRow("Sunday") << 13 << false << QColor(0xFFD6C1);
    QTest::newRow("Sunday selected") << 13 << true << QColor(0xFF9E6A);
    QTest::newRow("Saturday") << 12 << false << QColor(0xECECFF);
    QTest::newRow("Saturday selected") << 12 << true << QColor(0x8080FF);
    QTest::newRow("holiday on a Friday") << 25 << false << QColor(0xFFDDFF);
    QTest::newRow("holiday selected") << 25 << true << QColor(0xFAD889);
    QTest::newRow("holiday on a Sunday") << 6 << false << QColor(0xFFDDFF);
    QTest::newRow("holiday on a Sunday selected") << 6 << true << QColor(0xFAD889);
    QTest::newRow("holiday on a Saturday") << 26 << false << QColor(0xFFDDFF);
    QTest::newRow("empty cell") << 0 << false << QColor(0xF4F2EA);
    QTest::newRow("empty cell selected") << 0 << true << QColor(0xF4F2EA);
}

void TestMonthCalendar::cellColours() {
    QFETCH(int, day);
    QFETCH(bool, selected);
    QFETCH(QColor, colour);
    m_dir->write(
        "Holiday - 2026.dat",
        Cp949::encode(QStringLiteral("[12]\r\n6=일요 휴일\r\n25=성탄절\r\n26=토요 휴일\r\n")));
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    const QPoint cell = day == 0 ? QPoint(0, 0) : cellOf(day);
    const QPoint elsewhere = day == 0 ? QPoint(6, 5) : QPoint(0, 0);
    // A block selected around the cell, or a selection somewhere else.
    Part<THintGrid>(w, "grdCa")
        ->SetSelection(selected ? QRect(cell - QPoint(cell.x() > 0 ? 1 : 0, 0), cell)
                                : QRect(elsewhere, elsewhere));
    QCOMPARE(Part<THintGrid>(w, "grdCa")->IsSelected(cell.x(), cell.y()), selected);
    const QImage img = w.RenderCalendarCell(cell.x(), cell.y());
    QCOMPARE(img.size(), QSize(80, 70));
    QCOMPARE(QColor(img.pixel(79, 69)), colour);
    QCOMPARE(QColor(img.pixel(40, 50)), colour);
    if (day == 0)
        QCOMPARE(QColor(img.pixel(0, 0)), colour);
}

// Today's number is white on a red box exactly as large as the text; the
// rest of the cell keeps its colour.
void TestMonthCalendar::todayIsWhiteOnRed() {
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    const QPoint today = cellOf(8);
    const QImage img = w.RenderCalendarCell(today.x(), today.y());
    QRect red;
    int white = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) == qRgb(0xFF, 0, 0))
                red |= QRect(x, y, 1, 1);
            if (img.pixel(x, y) == qRgb(0xFF, 0xFF, 0xFF) && x < 16)
                ++white;
        }
    }
    const QFontMetrics fm(Part<THintGrid>(w, "grdCa")->font());
    QCOMPARE(red, QRect(0, 0, fm.horizontalAdvance(QStringLiteral("8")), fm.height()));
    QVERIFY(white > 0);
    QCOMPARE(img.pixel(red.right() + 1, 0), qRgb(0xFF, 0xFF, 0xFF)); // a Tuesday
    QCOMPARE(img.pixel(0, red.bottom() + 1), qRgb(0xFF, 0xFF, 0xFF));
    // Any other day has no red at all, and its number is black.
    const QPoint tomorrow = cellOf(9);
    const QImage other = w.RenderCalendarCell(tomorrow.x(), tomorrow.y());
    for (int y = 0; y < other.height(); ++y)
        for (int x = 0; x < other.width(); ++x)
            QVERIFY(other.pixel(x, y) != qRgb(0xFF, 0, 0));
    QVERIFY(inkOf(other, qRgb(0xFF, 0xFF, 0xFF)).darkNumber);
    // The mark follows the clock the next time the cell is drawn.
    m_clock->set(EncodeDateTime(2026, 12, 9, 0, 0, 1));
    const QImage moved = w.RenderCalendarCell(tomorrow.x(), tomorrow.y());
    QCOMPARE(moved.pixel(0, 0), qRgb(0xFF, 0, 0));
}

// Right of x = 16: the holiday at the top, the first anniversary 14 pixels
// lower, the next ones every 12 pixels; the pale lunar date only on a day
// with neither.
void TestMonthCalendar::textPositions_data() {
    QTest::addColumn<int>("day");
    QTest::addColumn<QList<int>>("lineTops"); // lines of black text
    QTest::addColumn<bool>("lunar");
    QTest::newRow("neither: the lunar date on the number's line") << 9 << QList<int>{} << true;
    QTest::newRow("an empty anniversary value: the lunar date") << 11 << QList<int>{} << true;
    QTest::newRow("anniversaries only: on the number's line") << 10 << QList<int>{0, 12} << false;
    QTest::newRow("holiday only") << 6 << QList<int>{0} << false;
    QTest::newRow("holiday and two anniversaries") << 25 << QList<int>{0, 14, 26} << false;
    QTest::newRow("a holiday with commas is one text") << 24 << QList<int>{0} << false;
}

void TestMonthCalendar::textPositions() {
    QFETCH(int, day);
    QFETCH(QList<int>, lineTops);
    QFETCH(bool, lunar);
    m_dir->write("Holiday - 2026.dat",
                 Cp949::encode(QStringLiteral("[12]\r\n6=일요 휴일\r\n24=가, 나, 다\r\n"
                                              "25=성탄절\r\n")));
    m_dir->write("Anniversary - 2026.dat",
                 Cp949::encode(QStringLiteral("[12]\r\n10=\"모임,\"결혼 기념일\"\"\r\n11=\"\"\r\n"
                                              "25=\"생일,\"결혼 기념일\"\"\r\n")));
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    const QPoint cell = cellOf(day);
    Part<THintGrid>(w, "grdCa")->SetSelection(QRect(0, 0, 1, 1));
    const QImage img = w.RenderCalendarCell(cell.x(), cell.y());
    const Ink ink = inkOf(img, img.pixel(79, 69));
    QVERIFY(ink.darkNumber);
    QCOMPARE(ink.pale(), lunar);
    const int lineHeight = QFontMetrics(Part<THintGrid>(w, "grdCa")->font()).height();
    for (int top : lineTops) {
        bool found = false;
        for (int y : ink.darkRows)
            found = found || (y >= top && y < top + lineHeight);
        QVERIFY2(found, qPrintable(QStringLiteral("no text on the line at %1").arg(top)));
    }
    for (int y : ink.darkRows) {
        bool inLine = false;
        for (int top : lineTops)
            inLine = inLine || (y >= top && y < top + lineHeight);
        QVERIFY2(inLine, qPrintable(QStringLiteral("text at y = %1").arg(y)));
    }
    if (!lineTops.isEmpty())
        QVERIFY2(ink.darkLeft >= 16 && ink.darkLeft <= 18,
                 qPrintable(QString::number(ink.darkLeft)));
}

// A double-click opens the editor on that day; what it stores is drawn at
// once, in that year only.
void TestMonthCalendar::doubleClickEditsTheDay() {
    m_dir->write("Anniversary - 2026.dat",
                 Cp949::encode(QStringLiteral("[12]\r\n7=\"생일,\"결혼 기념일\"\"\r\n")));
    TfrmMain& w = MakeWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w, 60000));
    w.FormActivate();
    const QPoint cell = cellOf(7);
    QString date, memo;
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>([&](TfrmEditAnniversary* d) {
        date = d->labDate->text();
        memo = d->memAnniversary->toPlainText();
        d->memAnniversary->setPlainText(QStringLiteral("생일\n결혼 기념일\n모임"));
        DialogDriver::click(d->btnConfirm);
    });
    script.start();
    const QPoint at = Part<THintGrid>(w, "grdCa")->CellRect(cell.x(), cell.y()).center();
    QTest::mouseDClick(Part<THintGrid>(w, "grdCa"), Qt::LeftButton, {}, at);
    QTest::mouseRelease(Part<THintGrid>(w, "grdCa"), Qt::LeftButton, {}, at);
    QVERIFY(script.finished());
    QCOMPARE(date, QStringLiteral("2026년 12월 7일"));
    QCOMPARE(memo, QStringLiteral("생일\n결혼 기념일"));
    QCOMPARE(m_cursor->ReadAnniversaries(7), (QStringList{"생일", "결혼 기념일", "모임"}));
    const Ink ink = inkOf(w.RenderCalendarCell(cell.x(), cell.y()), qRgb(0xCE, 0xFF, 0xE7));
    QVERIFY(!ink.pale());
    QVERIFY(ink.darkRows.last() >= 24); // three lines
    // The same day of another year has its own file.
    click(Part<TvxGradiButton>(w, "btnNextYear"));
    const QPoint next = cellOf(7);
    QVERIFY(inkOf(w.RenderCalendarCell(next.x(), next.y()), qRgb(0xFF, 0xFF, 0xFF)).pale());
}

void TestMonthCalendar::doubleClickOnAnEmptyCell() {
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    Part<THintGrid>(w, "grdCa")->SetSelection(QRect(0, 0, 1, 1));
    bool opened = false;
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>([&](TfrmEditAnniversary* d) {
        opened = true;
        d->Close();
    });
    script.start();
    auto* grid = Part<THintGrid>(w, "grdCa");
    QTest::mouseDClick(grid, Qt::LeftButton, Qt::NoModifier, grid->CellRect(0, 0).center());
    QTest::qWait(50);
    QVERIFY(!opened);
    QCOMPARE(int(m_cursor->Day), 0);
    QVERIFY(!m_dir->exists("Anniversary - 2026.dat"));
}

void TestMonthCalendar::cellsAsAScreenReaderSaysThem_data() {
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QString>("said");
    // December 2026 starts on a Tuesday (column 2); today is the 8th.
    QTest::newRow("today, lunar date")
        << QPoint(2, 1) << "2026년 12월 8일 화요일, 오늘, 음력 10.30 丙辰";
    QTest::newRow("holiday") << QPoint(5, 3) << "2026년 12월 25일 금요일, 성탄절";
    QTest::newRow("anniversaries") << QPoint(4, 0) << "2026년 12월 3일 목요일, 생일, 결혼 기념일";
    QTest::newRow("outside the month") << QPoint(0, 0) << "빈 칸";
}

void TestMonthCalendar::cellsAsAScreenReaderSaysThem() {
    QFETCH(QPoint, cell);
    QFETCH(QString, said);
    m_dir->write("Holiday - 2026.dat", Cp949::encode(QStringLiteral("[12]\r\n25=성탄절\r\n")));
    m_dir->write("Anniversary - 2026.dat",
                 Cp949::encode(QStringLiteral("[12]\r\n3=\"생일,\"결혼 기념일\"\"\r\n")));
    TfrmMain& w = MakeWindow();
    show(2026, 12);
    m_cursor->Day = 17;
    QCOMPARE(Part<THintGrid>(w, "grdCa")->CellDescription(cell.x(), cell.y()), said);
    QCOMPARE(Part<THintGrid>(w, "grdCa")->accessibleName(), QStringLiteral("2026년 12월 달력"));
    QCOMPARE(int(m_cursor->Day), 17); // the user's day, whichever cell is described
}

// A day stored longer than a read's limit (an older copy's) opens whole, here
// from the keyboard, and its cell reads it whole.
void TestMonthCalendar::longDayOpensWhole() {
    const QStringList entries(300, QStringLiteral("가나다라마바")); // 3899 bytes
    m_dir->write("Anniversary - 2026.dat",
                 Cp949::encode("[12]\r\n7=\"" + entries.join(u',') + "\"\r\n"));
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    QStringList opened;
    DialogDriver::Script script;
    script.on<TfrmEditAnniversary>([&](TfrmEditAnniversary* d) {
        opened = d->MemoLines();
        d->Close();
    });
    script.start();
    Part<THintGrid>(w, "grdCa")->SetSelection(QRect(cellOf(7), QSize(1, 1)));
    QTest::keyClick(Part<THintGrid>(w, "grdCa"), Qt::Key_Return); // the keyboard's double-click
    QCOMPARE(opened, entries);
    // The cell is read whole too, as the painter reads it.
    const QPoint c = cellOf(7);
    QCOMPARE(Part<THintGrid>(w, "grdCa")->CellDescription(c.x(), c.y()).count(entries.first()),
             300);
}

// At midnight the clock's tick moves today's mark by itself: the grid is
// repainted, and a calendar on the old today's month follows to the new
// today's; one moved elsewhere stays.
void TestMonthCalendar::midnight_data() {
    QTest::addColumn<TDateTime>("before");
    QTest::addColumn<bool>("elsewhere");   // the month before today's shown
    QTest::addColumn<QList<int>>("after"); // year, month shown; the day repainted, 0: none
    QTest::newRow("within the month")
        << EncodeDateTime(2026, 12, 8, 23, 59, 59) << false << QList<int>{2026, 12, 9};
    QTest::newRow("into the next year")
        << EncodeDateTime(2026, 12, 31, 23, 59, 59) << false << QList<int>{2027, 1, 1};
    QTest::newRow("another month shown stays")
        << EncodeDateTime(2026, 12, 31, 23, 59, 59) << true << QList<int>{2026, 11, 0};
}

void TestMonthCalendar::midnight() {
    QFETCH(TDateTime, before);
    QFETCH(bool, elsewhere);
    QFETCH(QList<int>, after);
    m_clock->set(before);
    m_cursor = std::make_unique<TvxAnniversary>(m_dir->path());
    TfrmMain& w = MakeWindow();
    w.LoadState();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.FormActivate();
    if (elsewhere)
        click(Part<TvxGradiButton>(w, "btnBeforeMonth"));
    QCoreApplication::processEvents(); // the steps' own repaints
    PaintWatcher watcher(Part<THintGrid>(w, "grdCa"));
    const qint64 reads = TextFile::readCount();
    w.tmrCountTimer(); // the same day: nothing is read
    QCOMPARE(TextFile::readCount(), reads);
    m_clock->advance(1);
    w.tmrCountTimer();
    QCOMPARE(int(m_cursor->Year), after[0]);
    QCOMPARE(int(m_cursor->Month), after[1]);
    if (after[2] == 0)
        return;
    if (after[2] == 1) // the new month selects today, not the last day drawn before
        QCOMPARE(Part<THintGrid>(w, "grdCa")->Selection(), QRect(cellOf(1), QSize(1, 1)));
    const QRect rect =
        Part<THintGrid>(w, "grdCa")->CellRect(cellOf(after[2]).x(), cellOf(after[2]).y());
    QTRY_VERIFY_WITH_TIMEOUT(watcher.painted.intersected(rect) == QRegion(rect), 30000);
}

// A paint of the month reads each yearly file once, not once a day cell,
// and a hand edit shows at the next paint.
void TestMonthCalendar::eachFileOncePerPaint() {
    m_dir->write("Holiday - 2026.dat", Cp949::encode(QStringLiteral("[12]\r\n25=성탄절\r\n")));
    TfrmMain& w = MakeWindow();
    w.FormActivate();
    m_cursor->Day = 17;
    for (const char* nine : {"", "9=\"b\"\r\n"}) {
        m_dir->write("Anniversary - 2026.dat", QByteArray("[12]\r\n10=\"a\"\r\n") + nine);
        const qint64 before = TextFile::readCount();
        const QImage img = Part<THintGrid>(w, "grdCa")->Render();
        QCOMPARE(TextFile::readCount() - before, 2);
        const Ink ink = inkOf(img.copy(Part<THintGrid>(w, "grdCa")->CellRect(3, 1)),
                              qRgb(0xFF, 0xFF, 0xFF)); // the 9th
        QCOMPARE(ink.pale(), *nine == 0);
    }
    QCOMPARE(int(m_cursor->Day), 17); // painting leaves the user's day alone
}

QTEST_MAIN(TestMonthCalendar)
#include "tst_monthcalendar.moc"
