#pragma once
// The month grid as assistive technology sees it: a table of day cells,
// each named by its date and what the day holds, with the current cell as
// the focused and selected one.

#include <QAccessibleWidget>
#include <QHash>

class THintGrid;

class THintGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit THintGridAccessible(THintGrid* grid);
    ~THintGridAccessible() override;

    // The interface of one cell; made on first use and kept while the grid lives.
    QAccessibleInterface* Cell(int row, int column) const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    THintGrid* Grid() const;
    mutable QHash<int, QAccessible::Id> m_cells;
};

// Installed once: gives every THintGrid the interface above.
void InstallHintGridAccessibility();
