#pragma once
// The month grid's control: a grid of day cells that leaves every pixel of
// a cell to its owner's draw handler, lets the user select one cell or a
// block of cells (click, drag, arrow keys, Shift), and lists a day's
// anniversaries in a hint as soon as the mouse comes to a day that has some.

#include <QLabel>
#include <QList>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class TvxAnniversary;
class TvxMonthEntries;

// What a hint request answers: the text, where the hint's top-left corner
// goes on the screen, the rectangle (grid coordinates) the mouse may move
// in without ending the hint, and how long the hint may stay.
struct THintInfo {
    QString HintStr;
    QPoint HintPos;
    QRect CursorRect;
    int HideTimeout = 0;
};

// The hint window: the desktop's tooltip face, placed exactly where it is
// told rather than below the mouse pointer, and transparent for the mouse.
class THintWindow : public QLabel {
    Q_OBJECT
public:
    THintWindow();
    // Shows the text with its top-left corner at pos (screen), moved back
    // inside the screen when it would run off an edge.
    void ShowAt(const QPoint& pos, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
};

class THintGrid : public QWidget {
    Q_OBJECT
public:
    explicit THintGrid(QWidget* owner = nullptr);
    ~THintGrid() override;

    // The day of the last hint look-up. Coming back straight to that day
    // shows nothing; any other day in between makes it show again.
    int32_t LastHintDay = -1;

    // The day of the last day cell drawn; 0 before any. The calendar has
    // always selected that day when it lays out the next month.
    int LastDrawnDay = 0;

    // What a cell says to assistive technology: its date and what the day
    // holds, from the shown month read for the question. Without a handler,
    // the day number.
    std::function<QString(int col, int row, const TvxMonthEntries& month)> OnDescribeCell;
    // The titles of the columns as their headers show them.
    QStringList ColumnTitles;
    QString CellDescription(int col, int row) const;

    // The calendar store whose year, month and files the paints, hints and
    // descriptions read.
    void SetStore(const TvxAnniversary* store) { m_store = store; }

    int ColCount() const { return m_colCount; }
    int RowCount() const { return m_rowCount; }
    void SetColCount(int count);
    void SetRowCount(int count);
    int DefaultColWidth() const { return m_colWidth; }
    int DefaultRowHeight() const { return m_rowHeight; }
    void SetDefaultColWidth(int width);
    void SetDefaultRowHeight(int height);
    static constexpr int GridLineWidth = 1;

    // The day of the month a cell holds; 0 for a cell outside the month.
    int Day(int col, int row) const;
    // Repaints the cell when its day changes.
    void SetDay(int col, int row, int day);

    // The current cell. Moving it makes it the whole selection.
    int Col() const { return m_col; }
    int Row() const { return m_row; }
    void SetCol(int col);
    void SetRow(int row);
    // The selected block, in cells (x = column, y = row).
    QRect Selection() const;
    // Selects a block; its bottom-right cell becomes the current cell.
    void SetSelection(const QRect& cells);
    bool IsSelected(int col, int row) const;

    // A cell's rectangle in grid coordinates, without its grid lines.
    QRect CellRect(int col, int row) const;
    // The cell under a point; false outside the cells. A grid line belongs
    // to the cell on its left or above it.
    bool MouseToCell(const QPoint& pos, int& col, int& row) const;

    // Draws one cell: its rectangle (grid coordinates), whether it lies in
    // the selection, and the shown month as this paint read it. Without a
    // handler cells stay white.
    using DrawCellHandler =
        std::function<void(QPainter& painter, int col, int row, const QRect& rect, bool selected,
                           const TvxMonthEntries& month)>;
    DrawCellHandler OnDrawCell;

    // Paints the cells that meet `area` (row by row, left to right, each
    // clipped to its rectangle), then the grid lines. The month is read once
    // for the paint, and only when a day cell is among them.
    void PaintCells(QPainter& painter, const QRegion& area);
    // The whole grid as it paints itself.
    QImage Render();
    // One cell alone, with its selection state and no focus mark.
    QImage RenderCell(int col, int row);

    // The hint request for the mouse at pos (grid coordinates): the hint to
    // show, or nothing.
    std::optional<THintInfo> HintRequest(const QPoint& pos);
    // The pause before a hint appears.
    int HintPause() const { return 0; }

    // Whether the current cell carries the focus mark: only while the grid
    // has the focus and the keyboard is what moved it there or moved in it.
    bool FocusMarkShown() const { return hasFocus() && m_keyboardFocus; }

    // The hint on screen now, for tests and the benchmark.
    bool HintShown() const;
    QString ShownHintText() const;
    QPoint ShownHintPos() const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    int Index(int col, int row) const { return row * m_colCount + col; }
    bool Valid(int col, int row) const {
        return col >= 0 && row >= 0 && col < m_colCount && row < m_rowCount;
    }
    QRect PixelsOf(const QRect& cells) const;
    void MoveCurrent(int col, int row, bool keepAnchor);
    // Tells assistive technology which cell is current and selected now.
    void NotifyCurrent();
    void SetKeyboardFocus(bool keyboard);
    void Resize();
    // The mouse is at pos: ask for a hint when it came to another cell.
    void TrackHint(const QPoint& pos);
    void CancelHint();
    // The shown month from the store's files: the one reading behind every
    // paint, hint and description.
    TvxMonthEntries ReadMonth(bool anniversariesOnly = false) const;
    void DrawCell(QPainter& painter, int col, int row, const TvxMonthEntries& month);

    const TvxAnniversary* m_store = nullptr;
    int m_colCount = 5;
    int m_rowCount = 5;
    int m_colWidth = 64;
    int m_rowHeight = 24;
    QList<int> m_days;
    int m_col = 0;
    int m_row = 0;
    int m_anchorCol = 0;
    int m_anchorRow = 0;
    bool m_dragging = false;
    bool m_keyboardFocus = false;
    // The cell of the last hint request; (-1, -1) when the mouse is elsewhere.
    QPoint m_hintCell{-1, -1};
    THintWindow* m_hint = nullptr;
};
