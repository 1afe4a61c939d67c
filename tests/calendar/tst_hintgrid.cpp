// The month grid control: cell geometry and lines, selection by mouse and
// keyboard, and the anniversary hint with its look-up rules.

#include "calendar/HintGrid.h"
#include "core/ProjectInfo.h"
#include "runtime/TextFile.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <memory>

using TestSupport::TempProgramFolder;

namespace {

// December 2026 as the month grid shows it: day 1 on a Tuesday.
void layOutDecember2026(THintGrid& g) {
    for (int d = 1; d <= 31; ++d) {
        const int i = d + 1;
        g.SetDay(i % 7, i / 7, d);
    }
}

QPoint centreOfDay(const THintGrid& g, int day) {
    const int i = day + 1;
    return g.CellRect(i % 7, i / 7).center();
}

// The last mouse move a widget was given.
struct MoveSpy : QObject {
    QPoint last{-1, -1};
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            last = static_cast<QMouseEvent*>(event)->position().toPoint();
        return false;
    }
};

} // namespace

class TestHintGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void geometryAndLines_data();
    void geometryAndLines();
    void keyboardSelection_data();
    void keyboardSelection();
    void mouseSelection();
    void hintRules_data();
    void hintRules();
    void hintFollowsTheMouse();
    void hoveringReadsOncePerNewDay();
    void focusMarkOnlyFromTheKeyboard_data();
    void focusMarkOnlyFromTheKeyboard();
    void accessibleTable();
    void longHintLeavesThePointerToTheGrid();

private:
    void writeAnniversaries(const QString& text);
    std::unique_ptr<TempProgramFolder> m_dir;
    std::unique_ptr<TvxAnniversary> m_store;
    std::unique_ptr<THintGrid> m_grid;
};

// A grid made while a screen reader listens is a table too. It has to be the
// process's first grid: any later one finds the description known already.
void TestHintGrid::initTestCase() {
    QAccessible::setActive(true);
    THintGrid first;
    QCOMPARE(QAccessible::queryAccessibleInterface(&first)->role(), QAccessible::Table);
    QAccessible::setActive(false);
}

void TestHintGrid::init() {
    m_dir = std::make_unique<TempProgramFolder>();
    m_store = std::make_unique<TvxAnniversary>(m_dir->path());
    m_store->Year = 2026;
    m_store->Month = 12;
    m_grid = std::make_unique<THintGrid>();
    m_grid->resize(566, 425);
    m_grid->SetColCount(7);
    m_grid->SetDefaultColWidth(80);
    m_grid->SetDefaultRowHeight(70);
    m_grid->SetRowCount(6);
    m_grid->SetStore(m_store.get());
    layOutDecember2026(*m_grid);
}

void TestHintGrid::cleanup() {
    m_grid.reset();
    m_store.reset();
    m_dir.reset();
}

void TestHintGrid::writeAnniversaries(const QString& text) {
    m_dir->write(QStringLiteral("Anniversary - 2026.dat"), Cp949::encode(text));
}

// Columns of 80 and rows of 70 pixels with one-pixel lines of #C0C0C0
// between them; every cell is whole inside 566 × 425.
void TestHintGrid::geometryAndLines_data() {
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QPoint>("cell"); // (-1, -1): a grid line
    QTest::newRow("top-left") << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("vertical line") << QPoint(80, 10) << QPoint(-1, -1);
    QTest::newRow("horizontal line") << QPoint(10, 70) << QPoint(-1, -1);
    QTest::newRow("second column") << QPoint(81, 10) << QPoint(1, 0);
    QTest::newRow("last cell") << QPoint(565, 424) << QPoint(6, 5);
    QTest::newRow("line between the last columns") << QPoint(485, 400) << QPoint(-1, -1);
}

void TestHintGrid::geometryAndLines() {
    QFETCH(QPoint, pixel);
    QFETCH(QPoint, cell);
    QCOMPARE(m_grid->CellRect(6, 5), QRect(486, 355, 80, 70));
    QImage seen(m_grid->size(), QImage::Format_ARGB32);
    m_grid->OnDrawCell = [](QPainter& p, int c, int r, const QRect& rect, bool,
                            const TvxMonthEntries&) {
        // Each cell paints its own colour: column and row in red and green.
        p.fillRect(rect, QColor(c * 30, r * 40, 200));
    };
    seen = m_grid->Render();
    const QRgb expected =
        cell.x() < 0 ? qRgb(0xC0, 0xC0, 0xC0) : qRgb(cell.x() * 30, cell.y() * 40, 200);
    QCOMPARE(seen.pixel(pixel), expected);
    // A line pixel belongs to the cell on its left or above it.
    int c = -1, r = -1;
    QVERIFY(m_grid->MouseToCell(pixel, c, r));
    if (cell.x() >= 0)
        QCOMPARE(QPoint(c, r), cell);
}

void TestHintGrid::keyboardSelection_data() {
    QTest::addColumn<QString>("keys");    // space-separated, "+" for Shift or Ctrl
    QTest::addColumn<QRect>("selection"); // cells
    QTest::addColumn<QPoint>("current");
    QTest::newRow("starts at the top-left") << "" << QRect(0, 0, 1, 1) << QPoint(0, 0);
    QTest::newRow("arrows move the current cell")
        << "Right Right Down" << QRect(2, 1, 1, 1) << QPoint(2, 1);
    QTest::newRow("Shift extends a block")
        << "Right Shift+Right Shift+Down Shift+Down" << QRect(1, 0, 2, 3) << QPoint(2, 2);
    QTest::newRow("an arrow without Shift ends the block")
        << "Shift+Right Shift+Down Down" << QRect(1, 2, 1, 1) << QPoint(1, 2);
    QTest::newRow("Ctrl+End and Home") << "Ctrl+End Home" << QRect(0, 5, 1, 1) << QPoint(0, 5);
    QTest::newRow("Shift+End") << "Down Shift+End" << QRect(0, 1, 7, 1) << QPoint(6, 1);
}

void TestHintGrid::keyboardSelection() {
    QFETCH(QString, keys);
    QFETCH(QRect, selection);
    QFETCH(QPoint, current);
    const QHash<QString, Qt::Key> names = {
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},      {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},     {"Home", Qt::Key_Home},        {"End", Qt::Key_End},
        {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown}};
    for (const QString& k : keys.split(u' ', Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers mods;
        QString name = k;
        if (name.startsWith("Shift+")) {
            mods |= Qt::ShiftModifier;
            name = name.mid(6);
        }
        if (name.startsWith("Ctrl+")) {
            mods |= Qt::ControlModifier;
            name = name.mid(5);
        }
        QTest::keyClick(m_grid.get(), names.value(name), mods);
    }
    QCOMPARE(m_grid->Selection(), selection);
    QCOMPARE(QPoint(m_grid->Col(), m_grid->Row()), current);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c)
            QCOMPARE(m_grid->IsSelected(c, r), selection.contains(c, r));
}

// A click selects a cell, a drag a block, Shift+click extends; setting the
// column and then the row makes one cell the whole selection again.
void TestHintGrid::mouseSelection() {
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get(), 60000));
    QWidget* w = m_grid.get();
    QTest::mouseClick(w, Qt::LeftButton, {}, m_grid->CellRect(3, 1).center());
    QCOMPARE(m_grid->Selection(), QRect(3, 1, 1, 1));

    QTest::mousePress(w, Qt::LeftButton, {}, m_grid->CellRect(1, 1).center());
    QTest::mouseMove(w, m_grid->CellRect(2, 2).center());
    QTest::mouseMove(w, m_grid->CellRect(4, 3).center());
    QTest::mouseRelease(w, Qt::LeftButton, {}, m_grid->CellRect(4, 3).center());
    QCOMPARE(m_grid->Selection(), QRect(QPoint(1, 1), QPoint(4, 3)));
    QCOMPARE(QPoint(m_grid->Col(), m_grid->Row()), QPoint(4, 3));

    QTest::mouseClick(w, Qt::LeftButton, Qt::ShiftModifier, m_grid->CellRect(0, 0).center());
    QCOMPARE(m_grid->Selection(), QRect(QPoint(0, 0), QPoint(1, 1)));

    m_grid->SetCol(5);
    m_grid->SetRow(4);
    QCOMPARE(m_grid->Selection(), QRect(5, 4, 1, 1));
    m_grid->SetSelection(QRect(QPoint(2, 1), QPoint(3, 2)));
    QCOMPARE(m_grid->Selection(), QRect(2, 1, 2, 2));
    QCOMPARE(QPoint(m_grid->Col(), m_grid->Row()), QPoint(3, 2));
}

// Each row moves the mouse to a day (0: an empty cell) and says whether a
// hint comes up; "month" steps the store to the next month first.
void TestHintGrid::hintRules_data() {
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QStringList>("hints"); // "" for no hint
    QTest::addColumn<int>("lastHintDay");
    const QString two = QStringLiteral("생일\r\n결혼 기념일\r\n");
    const QString one = QStringLiteral("회식\r\n");
    QTest::newRow("a day with anniversaries") << QStringList{"3"} << QStringList{two} << 3;
    QTest::newRow("straight back to the same day shows nothing")
        << QStringList{"3", "3"} << QStringList{two, ""} << 3;
    QTest::newRow("another day in between shows it again")
        << QStringList{"3", "4", "3"} << QStringList{two, "", two} << 3;
    QTest::newRow("an empty cell changes nothing")
        << QStringList{"3", "0", "3"} << QStringList{two, "", ""} << 3;
    QTest::newRow("a day without anniversaries is looked up")
        << QStringList{"4"} << QStringList{""} << 4;
    QTest::newRow("an empty value is no anniversary")
        << QStringList{"5", "10"} << QStringList{"", one} << 10;
    QTest::newRow("column 0 and row 0 like any other day")
        << QStringList{"1", "6"}
        << QStringList{QStringLiteral("첫날\r\n"), QStringLiteral("일요일 기념\r\n")} << 6;
    QTest::newRow("a new month does not forget the last day")
        << QStringList{"10", "month", "10", "4", "10"} << QStringList{one, "", "", ""} << 10;
}

void TestHintGrid::hintRules() {
    QFETCH(QStringList, path);
    QFETCH(QStringList, hints);
    QFETCH(int, lastHintDay);
    writeAnniversaries(QStringLiteral("[12]\r\n1=첫날\r\n3=\"생일,\"결혼 기념일\"\"\r\n"
                                      "5=\"\"\r\n6=\"\"일요일 기념\"\"\r\n10=회식\r\n"));
    QCOMPARE(m_grid->LastHintDay, -1);
    QStringList seen;
    for (const QString& step : path) {
        if (step == "month") {
            m_store->NextMonth(); // January has no file entries of its own
            continue;
        }
        const int day = step.toInt();
        const QPoint pos = day == 0 ? m_grid->CellRect(0, 0).center() : centreOfDay(*m_grid, day);
        const std::optional<THintInfo> hint = m_grid->HintRequest(pos);
        seen << (hint ? hint->HintStr : QString());
    }
    QCOMPARE(seen, hints);
    QCOMPARE(m_grid->LastHintDay, lastHintDay);
}

// The hint sits on the cell's top-left corner at once, stays while the
// mouse is in the cell, and never times out.
void TestHintGrid::hintFollowsTheMouse() {
    writeAnniversaries(
        QStringLiteral("[12]\r\n3=\"생일,\"결혼 기념일\"\"\r\n10=회식\r\n17=모임\r\n"));
    m_grid->move(40, 30);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get(), 60000));
    const std::optional<THintInfo> hint = m_grid->HintRequest(centreOfDay(*m_grid, 17));
    QVERIFY(hint);
    QCOMPARE(hint->CursorRect, QRect(324, 142, 80, 70));
    QCOMPARE(hint->HintPos, m_grid->mapToGlobal(QPoint(324, 142)));
    QCOMPARE(hint->HideTimeout, 2147483647);
    QCOMPARE(m_grid->HintPause(), 0);

    QWidget* w = m_grid.get();
    const QRect day3 = m_grid->CellRect(4, 0);

    QTest::mouseMove(w, day3.center());
    QVERIFY(m_grid->HintShown()); // at once, no pause
    QCOMPARE(m_grid->ShownHintText(), QStringLiteral("생일\n결혼 기념일"));
    QCOMPARE(m_grid->ShownHintPos(), m_grid->mapToGlobal(day3.topLeft()));

    QTest::mouseMove(w, day3.bottomRight());
    QVERIFY(m_grid->HintShown());                           // still in the cell
    QTest::mouseMove(w, day3.bottomRight() + QPoint(1, 0)); // the line is the cell's too
    QVERIFY(m_grid->HintShown());

    QTest::mouseMove(w, centreOfDay(*m_grid, 4)); // no anniversaries
    QVERIFY(!m_grid->HintShown());
    QTest::mouseMove(w, centreOfDay(*m_grid, 10));
    QCOMPARE(m_grid->ShownHintText(), QStringLiteral("회식"));

    QTest::mouseClick(w, Qt::LeftButton, {}, centreOfDay(*m_grid, 10));
    QVERIFY(!m_grid->HintShown()); // a click puts the hint away
    QTest::mouseMove(w, centreOfDay(*m_grid, 10) + QPoint(3, 3));
    QVERIFY(!m_grid->HintShown()); // and it stays away in that cell

    QTest::mouseMove(w, day3.center());
    QVERIFY(m_grid->HintShown());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
    QVERIFY(!m_grid->HintShown());
}

// Moving about reads the anniversary file once for each day the mouse comes
// to, and not at all while it stays in a cell.
void TestHintGrid::hoveringReadsOncePerNewDay() {
    writeAnniversaries(QStringLiteral("[12]\r\n3=생일\r\n4=모임\r\n"));
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get(), 60000));
    QWidget* w = m_grid.get();
    QTest::mouseMove(w, centreOfDay(*m_grid, 5));
    const qint64 before = TextFile::readCount();
    const QRect day3 = m_grid->CellRect(4, 0);
    for (int x = day3.left(); x <= day3.right(); x += 4)
        QTest::mouseMove(w, QPoint(x, day3.top() + x % 50));
    QCOMPARE(TextFile::readCount() - before, 1);
    for (int x = day3.left(); x < day3.left() + 3 * 81; x += 3)
        QTest::mouseMove(w, QPoint(x, 20)); // over days 3, 4 and 5
    QCOMPARE(TextFile::readCount() - before, 3);
    QTest::mouseMove(w, m_grid->CellRect(0, 0).center()); // empty: no look-up
    QCOMPARE(TextFile::readCount() - before, 3);
}

void TestHintGrid::focusMarkOnlyFromTheKeyboard_data() {
    QTest::addColumn<QString>("how"); // how the focus came, then what moved in the grid
    QTest::addColumn<bool>("marked");
    QTest::newRow("Tab") << "tab" << true;
    QTest::newRow("Shift+Tab") << "backtab" << true;
    QTest::newRow("a click") << "click" << false;
    QTest::newRow("given by the program") << "other" << false;
    QTest::newRow("a click, then an arrow key") << "click right" << true;
    QTest::newRow("an arrow key, then a click") << "tab right click" << false;
}

void TestHintGrid::focusMarkOnlyFromTheKeyboard() {
    QFETCH(QString, how);
    QFETCH(bool, marked);
    m_grid->show();
    m_grid->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
    m_grid->clearFocus(); // the window gave it the focus on activation
    for (const QString& step : how.split(u' ')) {
        if (step == "tab")
            m_grid->setFocus(Qt::TabFocusReason);
        else if (step == "backtab")
            m_grid->setFocus(Qt::BacktabFocusReason);
        else if (step == "other")
            m_grid->setFocus(Qt::OtherFocusReason);
        else if (step == "click")
            QTest::mouseClick(m_grid.get(), Qt::LeftButton, {}, centreOfDay(*m_grid, 9));
        else if (step == "right")
            QTest::keyClick(m_grid.get(), Qt::Key_Right);
    }
    QVERIFY(m_grid->hasFocus());
    QCOMPARE(m_grid->FocusMarkShown(), marked);
    // The mark is a dotted frame just inside the current cell, on its white.
    const QImage img = m_grid->Render();
    const QRect cell = m_grid->CellRect(m_grid->Col(), m_grid->Row());
    int dark = 0;
    for (int x = cell.left() + 1; x < cell.right(); ++x)
        dark += qGray(img.pixel(x, cell.top() + 1)) < 128 ? 1 : 0;
    QCOMPARE(dark > cell.width() / 4, marked);
}

void TestHintGrid::accessibleTable() {
    m_grid->OnDescribeCell = [](int c, int r, const TvxMonthEntries&) {
        return QStringLiteral("%1:%2").arg(c).arg(r);
    };
    m_grid->show();
    m_grid->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_grid.get()));
    m_grid->setFocus(Qt::TabFocusReason);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(m_grid.get());
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("달력"));
    QVERIFY(table->tableInterface());
    QCOMPARE(table->tableInterface()->rowCount(), 6);
    QCOMPARE(table->tableInterface()->columnCount(), 7);
    QCOMPARE(table->childCount(), 42);
    // Each cell is named as described, knows its place, and the current one
    // follows the arrow keys.
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 3);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("3:1"));
    QCOMPARE(table->indexOfChild(cell), 10);
    QCOMPARE(cell->parent(), table);
    m_grid->SetSelection(QRect(2, 1, 1, 1));
    AccessibleTree::Listener listener;
    QTest::keyClick(m_grid.get(), Qt::Key_Right);
    // A listening screen reader is told at once, not when it next asks.
    QCOMPARE(listener.Heard, QStringList({"focus 10", "selection 10"}));
    QVERIFY(cell->state().focused);
    QVERIFY(cell->state().selected);
    QCOMPARE(table->focusChild(), cell);
    QCOMPARE(table->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{cell});
    QCOMPARE(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
}

// On an X display a window that appears under the pointer takes it. A hint
// long enough to reach the resting pointer must leave it to the grid, or
// the grid is left, puts the hint away, is entered again and refuses the
// same day. Runs on a virtual display as tst_hintgrid_x11.
void TestHintGrid::longHintLeavesThePointerToTheGrid() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display");
    writeAnniversaries(QStringLiteral("[12]\r\n17=\"하나,둘,셋,넷,다섯,여섯,일곱,여덟\"\r\n"));
    m_grid->move(40, 30);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid.get()));
    MoveSpy spy;
    m_grid->installEventFilter(&spy);
    const QRect day17 = m_grid->CellRect(4, 2);
    QCursor::setPos(m_grid->mapToGlobal(day17.topLeft() + QPoint(8, 40)));
    QTRY_VERIFY_WITH_TIMEOUT(m_grid->HintShown(), 30000);
    QCOMPARE(m_grid->ShownHintText().count(u'\n'), 7);
    QCOMPARE(m_grid->ShownHintPos(), m_grid->mapToGlobal(day17.topLeft()));
    // A move under the hint comes after all that the hint's showing caused.
    const QPoint under = day17.topLeft() + QPoint(10, 45);
    QCursor::setPos(m_grid->mapToGlobal(under));
    QTRY_COMPARE_WITH_TIMEOUT(spy.last, under, 30000);
    QVERIFY(m_grid->HintShown());
}

QTEST_MAIN(TestHintGrid)
#include "tst_hintgrid.moc"
