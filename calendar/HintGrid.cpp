#include "calendar/HintGrid.h"

#include "calendar/HintGridAccessible.h"
#include "core/ProjectInfo.h"
#include "widgets/Accessible.h"
#include "widgets/Look.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>
#include <algorithm>

namespace {
const QColor kGridLine(0xC0, 0xC0, 0xC0);
}

// ------------------------------------------------------------- hint window

// The hint stands on the cell's corner, so a long list reaches under the
// resting pointer. Taking no mouse input, it leaves the pointer to the
// grid: were the pointer to pass to the hint, the grid would be left, put
// the hint away, be entered again and refuse the same day's hint, so a
// day with many entries would never show one. The window has from the
// start the flags that Qt's windowing layer wants for a tooltip: missing them,
// it makes the window anew at the first showing to add them, and the new
// window takes mouse input again.
THintWindow::THintWindow()
    : QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget | Qt::WindowTransparentForInput |
                          Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint |
                          Qt::BypassWindowManagerHint) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setTextFormat(Qt::PlainText); // an anniversary is never markup
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void THintWindow::ShowAt(const QPoint& pos, const QString& text) {
    // Each line of the hint text ends in CR LF; shown, the last one adds no
    // empty line below the list.
    QString shown = text;
    shown.remove(u'\r');
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    setText(shown);
    adjustSize();
    QPoint p = pos;
    if (const QScreen* screen = QGuiApplication::screenAt(pos)) {
        const QRect area = screen->geometry();
        p.setX(std::max(area.left(), std::min(p.x(), area.right() + 1 - width())));
        p.setY(std::max(area.top(), std::min(p.y(), area.bottom() + 1 - height())));
    }
    move(p);
    show();
}

void THintWindow::paintEvent(QPaintEvent* event) {
    {
        QStylePainter p(this);
        QStyleOptionFrame opt;
        opt.initFrom(this);
        p.drawPrimitive(QStyle::PE_PanelTipLabel, opt);
    }
    QLabel::paintEvent(event);
}

// --------------------------------------------------------------------- grid

THintGrid::THintGrid(QWidget* owner) : QWidget(owner) {
    setFont(Look::CalendarCellFont());
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Known before anything asks: a name given while assistive technology
    // listens already makes Qt describe the grid, and keep that description.
    InstallHintGridAccessibility();
    setAccessibleName(QStringLiteral("달력"));
    Resize();
}

QString THintGrid::CellDescription(int col, int row) const {
    if (!Valid(col, row))
        return QString();
    const int day = Day(col, row);
    if (OnDescribeCell)
        return OnDescribeCell(col, row, day > 0 ? ReadMonth() : TvxMonthEntries());
    return day > 0 ? QString::number(day) : QString();
}

THintGrid::~THintGrid() {
    delete m_hint;
}

void THintGrid::Resize() {
    m_days.resize(qsizetype(m_colCount) * m_rowCount);
    m_col = std::min(m_col, m_colCount - 1);
    m_row = std::min(m_row, m_rowCount - 1);
    m_anchorCol = std::min(m_anchorCol, m_colCount - 1);
    m_anchorRow = std::min(m_anchorRow, m_rowCount - 1);
    update();
}

void THintGrid::SetColCount(int count) {
    if (count < 1 || count == m_colCount)
        return;
    // Keep each cell's day at its column.
    QList<int> days(qsizetype(count) * m_rowCount);
    for (int r = 0; r < m_rowCount; ++r)
        for (int c = 0; c < std::min(count, m_colCount); ++c)
            days[r * count + c] = m_days.value(Index(c, r));
    m_colCount = count;
    m_days = days;
    Resize();
}

void THintGrid::SetRowCount(int count) {
    if (count < 1 || count == m_rowCount)
        return;
    m_rowCount = count;
    Resize();
}

void THintGrid::SetDefaultColWidth(int width) {
    m_colWidth = std::max(0, width);
    update();
}

void THintGrid::SetDefaultRowHeight(int height) {
    m_rowHeight = std::max(0, height);
    update();
}

int THintGrid::Day(int col, int row) const {
    return Valid(col, row) ? m_days.at(Index(col, row)) : 0;
}

void THintGrid::SetDay(int col, int row, int day) {
    if (!Valid(col, row) || m_days.at(Index(col, row)) == day)
        return;
    m_days[Index(col, row)] = day;
    update(CellRect(col, row));
}

QRect THintGrid::CellRect(int col, int row) const {
    return QRect(col * (m_colWidth + GridLineWidth), row * (m_rowHeight + GridLineWidth),
                 m_colWidth, m_rowHeight);
}

bool THintGrid::MouseToCell(const QPoint& pos, int& col, int& row) const {
    if (pos.x() < 0 || pos.y() < 0)
        return false;
    col = pos.x() / (m_colWidth + GridLineWidth);
    row = pos.y() / (m_rowHeight + GridLineWidth);
    return Valid(col, row);
}

// --------------------------------------------------------------- selection

QRect THintGrid::Selection() const {
    return QRect(QPoint(std::min(m_col, m_anchorCol), std::min(m_row, m_anchorRow)),
                 QPoint(std::max(m_col, m_anchorCol), std::max(m_row, m_anchorRow)));
}

bool THintGrid::IsSelected(int col, int row) const {
    return Selection().contains(col, row);
}

QRect THintGrid::PixelsOf(const QRect& cells) const {
    return CellRect(cells.left(), cells.top()).united(CellRect(cells.right(), cells.bottom()));
}

void THintGrid::MoveCurrent(int col, int row, bool keepAnchor) {
    col = std::clamp(col, 0, m_colCount - 1);
    row = std::clamp(row, 0, m_rowCount - 1);
    const QRect before = Selection();
    m_col = col;
    m_row = row;
    if (!keepAnchor) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    const QRect after = Selection();
    if (after != before) {
        // Only the cells whose look changes are drawn again: every day
        // cell that is drawn reads two files.
        update(PixelsOf(before));
        update(PixelsOf(after));
        NotifyCurrent();
    }
}

void THintGrid::NotifyCurrent() {
    if (!Accessible::Listened())
        return;
    const int index = Index(m_col, m_row);
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        Accessible::Tell(focus);
    }
    QAccessibleEvent selection(this, QAccessible::Selection);
    selection.setChild(index);
    Accessible::Tell(selection);
}

void THintGrid::SetKeyboardFocus(bool keyboard) {
    if (m_keyboardFocus == keyboard)
        return;
    m_keyboardFocus = keyboard;
    update(CellRect(m_col, m_row));
}

void THintGrid::focusInEvent(QFocusEvent* event) {
    // A click keeps the look the calendar always had; Tab shows where the
    // arrow keys will act.
    const Qt::FocusReason reason = event->reason();
    SetKeyboardFocus(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                     reason == Qt::ShortcutFocusReason);
    update(CellRect(m_col, m_row));
    NotifyCurrent();
    QWidget::focusInEvent(event);
}

void THintGrid::focusOutEvent(QFocusEvent* event) {
    update(CellRect(m_col, m_row));
    QWidget::focusOutEvent(event);
}

void THintGrid::SetCol(int col) {
    MoveCurrent(col, m_row, false);
}

void THintGrid::SetRow(int row) {
    MoveCurrent(m_col, row, false);
}

void THintGrid::SetSelection(const QRect& cells) {
    MoveCurrent(cells.left(), cells.top(), false);
    MoveCurrent(cells.right(), cells.bottom(), true);
}

// ---------------------------------------------------------------- painting

TvxMonthEntries THintGrid::ReadMonth(bool anniversariesOnly) const {
    if (!m_store)
        return TvxMonthEntries();
    return m_store->ReadMonth(anniversariesOnly ? TvxAnniversary::MonthFiles::AnniversariesOnly
                                                : TvxAnniversary::MonthFiles::Both);
}

void THintGrid::DrawCell(QPainter& painter, int col, int row, const TvxMonthEntries& month) {
    const QRect rect = CellRect(col, row);
    if (OnDrawCell)
        OnDrawCell(painter, col, row, rect, IsSelected(col, row), month);
    else
        painter.fillRect(rect, Qt::white);
    if (Day(col, row) > 0)
        LastDrawnDay = Day(col, row);
}

void THintGrid::PaintCells(QPainter& painter, const QRegion& area) {
    const QRect bounds = area.boundingRect();
    std::optional<TvxMonthEntries> month;
    for (int r = 0; r < m_rowCount; ++r) {
        for (int c = 0; c < m_colCount; ++c) {
            const QRect rect = CellRect(c, r);
            if (!area.intersects(rect))
                continue;
            if (!month && Day(c, r) > 0)
                month = ReadMonth();
            painter.save();
            painter.setClipRect(rect, Qt::IntersectClip);
            DrawCell(painter, c, r, month ? *month : TvxMonthEntries());
            painter.restore();
        }
    }
    if (FocusMarkShown() && area.intersects(CellRect(m_col, m_row))) {
        // A dotted frame just inside the current cell, in the ink of the text.
        painter.save();
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellRect(m_col, m_row).adjusted(1, 1, -2, -2));
        painter.restore();
    }
    // The lines between the cells, and white beyond the last cells.
    const int right = m_colCount * (m_colWidth + GridLineWidth);
    const int bottom = m_rowCount * (m_rowHeight + GridLineWidth);
    painter.setPen(kGridLine);
    for (int c = 0; c < m_colCount; ++c) {
        const int x = c * (m_colWidth + GridLineWidth) + m_colWidth;
        if (x >= bounds.left() && x <= bounds.right())
            painter.drawLine(x, 0, x, bottom - 1);
    }
    for (int r = 0; r < m_rowCount; ++r) {
        const int y = r * (m_rowHeight + GridLineWidth) + m_rowHeight;
        if (y >= bounds.top() && y <= bounds.bottom())
            painter.drawLine(0, y, right - 1, y);
    }
    if (right < width())
        painter.fillRect(QRect(right, 0, width() - right, height()), Qt::white);
    if (bottom < height())
        painter.fillRect(QRect(0, bottom, right, height() - bottom), Qt::white);
}

QImage THintGrid::Render() {
    QImage img(size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font());
    PaintCells(p, QRegion(rect()));
    return img;
}

QImage THintGrid::RenderCell(int col, int row) {
    const QRect rect = CellRect(col, row);
    QImage img(rect.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setFont(font());
    p.translate(-rect.topLeft());
    p.setClipRect(rect);
    DrawCell(p, col, row, Day(col, row) > 0 ? ReadMonth() : TvxMonthEntries());
    return img;
}

void THintGrid::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    PaintCells(p, event->region());
}

// ------------------------------------------------------------------- mouse

void THintGrid::mousePressEvent(QMouseEvent* event) {
    CancelHint();
    SetKeyboardFocus(false);
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    int c, r;
    if (!MouseToCell(event->position().toPoint(), c, r))
        return;
    MoveCurrent(c, r, event->modifiers() & Qt::ShiftModifier);
    m_dragging = true;
}

void THintGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        // Dragging past an edge keeps extending to the last cell that way.
        const int c =
            std::clamp(pos.x(), 0, std::max(0, width() - 1)) / (m_colWidth + GridLineWidth);
        const int r =
            std::clamp(pos.y(), 0, std::max(0, height() - 1)) / (m_rowHeight + GridLineWidth);
        MoveCurrent(c, r, true);
        // No hints pop up under a drag; the cell where it ends asks for none.
        int hc, hr;
        m_hintCell = MouseToCell(pos, hc, hr) ? QPoint(hc, hr) : QPoint(-1, -1);
        return;
    }
    TrackHint(pos);
}

void THintGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void THintGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    CancelHint();
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    int c, r;
    if (!MouseToCell(event->position().toPoint(), c, r))
        return;
    MoveCurrent(c, r, false);
    emit doubleClicked();
}

void THintGrid::wheelEvent(QWheelEvent* event) {
    CancelHint();
    QWidget::wheelEvent(event);
}

void THintGrid::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    TrackHint(event->position().toPoint());
}

void THintGrid::leaveEvent(QEvent* event) {
    CancelHint();
    m_hintCell = QPoint(-1, -1);
    QWidget::leaveEvent(event);
}

void THintGrid::hideEvent(QHideEvent* event) {
    CancelHint();
    m_hintCell = QPoint(-1, -1);
    QWidget::hideEvent(event);
}

bool THintGrid::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowDeactivate:
    case QEvent::FocusOut:
        CancelHint();
        break;
    case QEvent::ToolTip:
        return true; // the grid shows its own hints, at once
    default:
        break;
    }
    return QWidget::event(event);
}

// --------------------------------------------------------------- keyboard

void THintGrid::keyPressEvent(QKeyEvent* event) {
    CancelHint();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        MoveCurrent(m_col - 1, m_row, shift);
        break;
    case Qt::Key_Right:
        MoveCurrent(m_col + 1, m_row, shift);
        break;
    case Qt::Key_Up:
        MoveCurrent(m_col, m_row - 1, shift);
        break;
    case Qt::Key_Down:
        MoveCurrent(m_col, m_row + 1, shift);
        break;
    case Qt::Key_Home:
        MoveCurrent(0, ctrl ? 0 : m_row, shift);
        break;
    case Qt::Key_End:
        MoveCurrent(m_colCount - 1, ctrl ? m_rowCount - 1 : m_row, shift);
        break;
    case Qt::Key_PageUp: // every row is in view
        MoveCurrent(m_col, 0, shift);
        break;
    case Qt::Key_PageDown:
        MoveCurrent(m_col, m_rowCount - 1, shift);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The keyboard's double-click: the day's editor.
        emit doubleClicked();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    SetKeyboardFocus(true);
    event->accept();
}

// ------------------------------------------------------------------- hints

std::optional<THintInfo> THintGrid::HintRequest(const QPoint& pos) {
    int c, r;
    if (!MouseToCell(pos, c, r))
        return std::nullopt;
    const int day = Day(c, r);
    if (day < 1 || day == LastHintDay)
        return std::nullopt;
    LastHintDay = day;
    if (!m_store)
        return std::nullopt;
    const QStringList lines = ReadMonth(true).Of(uint16_t(day)).Anniversaries;
    if (lines.isEmpty())
        return std::nullopt;
    THintInfo hint;
    for (const QString& line : lines)
        hint.HintStr += line + QStringLiteral("\r\n");
    const QRect cell = CellRect(c, r);
    hint.HintPos = mapToGlobal(cell.topLeft());
    hint.CursorRect = cell;
    hint.HideTimeout = 2147483647;
    return hint;
}

void THintGrid::TrackHint(const QPoint& pos) {
    int c, r;
    const QPoint cell = MouseToCell(pos, c, r) ? QPoint(c, r) : QPoint(-1, -1);
    if (cell == m_hintCell)
        return; // a hint stays while the mouse is in its cell
    m_hintCell = cell;
    CancelHint();
    if (cell.x() < 0)
        return;
    // The pause is nil: the request is made the moment the mouse arrives.
    const std::optional<THintInfo> hint = HintRequest(pos);
    if (!hint)
        return;
    if (!m_hint)
        m_hint = new THintWindow;
    m_hint->ShowAt(hint->HintPos, hint->HintStr);
}

void THintGrid::CancelHint() {
    if (m_hint && m_hint->isVisible())
        m_hint->hide();
}

bool THintGrid::HintShown() const {
    return m_hint && m_hint->isVisible();
}

QString THintGrid::ShownHintText() const {
    return HintShown() ? m_hint->text() : QString();
}

QPoint THintGrid::ShownHintPos() const {
    return HintShown() ? m_hint->pos() : QPoint();
}
