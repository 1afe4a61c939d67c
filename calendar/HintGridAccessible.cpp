#include "calendar/HintGridAccessible.h"

#include "calendar/HintGrid.h"

#include <QAccessibleTableCellInterface>
#include <QPointer>

namespace {

// One day cell. It has no object of its own: it lives as long as its grid's
// interface and answers from the grid.
class TGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TGridCellAccessible(THintGrid* grid, int row, int column)
        : m_grid(grid), m_row(row), m_column(column) {}

    bool isValid() const override { return !m_grid.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table() ? table()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return table(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text t) const override {
        if (!m_grid || t != QAccessible::Name)
            return QString();
        return m_grid->CellDescription(m_column, m_row);
    }

    QRect rect() const override {
        if (!m_grid)
            return QRect();
        const QRect r = m_grid->CellRect(m_column, m_row);
        return QRect(m_grid->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!m_grid)
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = m_grid->IsSelected(m_column, m_row);
        s.focused = m_grid->hasFocus() && m_grid->Col() == m_column && m_grid->Row() == m_row;
        s.invisible = !m_grid->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return m_grid && m_grid->IsSelected(m_column, m_row); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr;
    }

private:
    QPointer<THintGrid> m_grid;
    int m_row;
    int m_column;
};

QAccessibleInterface* gridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("THintGrid") && object && object->isWidgetType())
        return new THintGridAccessible(static_cast<THintGrid*>(object));
    return nullptr;
}

} // namespace

THintGridAccessible::THintGridAccessible(THintGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table) {}

THintGridAccessible::~THintGridAccessible() {
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

THintGrid* THintGridAccessible::Grid() const {
    return static_cast<THintGrid*>(widget());
}

void* THintGridAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QAccessibleInterface* THintGridAccessible::Cell(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    const int key = row * columnCount() + column;
    if (const auto it = m_cells.constFind(key); it != m_cells.cend())
        return QAccessible::accessibleInterface(*it);
    auto* cell = new TGridCellAccessible(Grid(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int THintGridAccessible::childCount() const {
    return rowCount() * columnCount();
}

QAccessibleInterface* THintGridAccessible::child(int index) const {
    const int columns = columnCount();
    return columns > 0 && index >= 0 ? Cell(index / columns, index % columns) : nullptr;
}

int THintGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->role() != QAccessible::Cell || child->parent() != this)
        return -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
}

QAccessibleInterface* THintGridAccessible::childAt(int x, int y) const {
    int c, r;
    if (!Grid()->MouseToCell(Grid()->mapFromGlobal(QPoint(x, y)), c, r))
        return nullptr;
    return Cell(r, c);
}

QAccessibleInterface* THintGridAccessible::focusChild() const {
    return Grid()->hasFocus() ? Cell(Grid()->Row(), Grid()->Col()) : nullptr;
}

QAccessibleInterface* THintGridAccessible::cellAt(int row, int column) const {
    return Cell(row, column);
}

int THintGridAccessible::selectedCellCount() const {
    const QRect s = Grid()->Selection();
    return s.width() * s.height();
}

QList<QAccessibleInterface*> THintGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const QRect s = Grid()->Selection();
    for (int r = s.top(); r <= s.bottom(); ++r)
        for (int c = s.left(); c <= s.right(); ++c)
            cells << Cell(r, c);
    return cells;
}

QString THintGridAccessible::columnDescription(int column) const {
    return Grid()->ColumnTitles.value(column);
}

QString THintGridAccessible::rowDescription(int row) const {
    return QStringLiteral("%1주").arg(row + 1);
}

int THintGridAccessible::columnCount() const {
    return Grid()->ColCount();
}

int THintGridAccessible::rowCount() const {
    return Grid()->RowCount();
}

void InstallHintGridAccessibility() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(gridFactory);
        installed = true;
    }
}
