#pragma once

#include <QAbstractTableModel>
#include <QLabel>
#include <QStringList>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

namespace lmr {

// Cells of a string grid: ColCount × RowCount texts, addressed (column, row)
// with row 0 and, where the grid has one, column 0 as its fixed header.
class StringGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    StringGridModel(int cols, int rows, int fixedCols, QObject* parent = nullptr);

    [[nodiscard]] int ColCount() const { return cols_; }
    [[nodiscard]] int RowCount() const { return static_cast<int>(cells_.size()) + sourceRows_; }
    void SetRowCount(int rows);
    [[nodiscard]] QString Cell(int col, int row) const;
    void SetCell(int col, int row, const QString& text);
    // count rows inserted before row `before` in one step (a file of 100,000 rows would
    // otherwise be 100,000 insertions the view follows); cell gives the texts of row i.
    void InsertRows(int before, int count, const std::function<QString(int col, int i)>& cell);
    // A note on a data row, empty for most: its cells' tool tip and accessible description, on a
    // pale red ground, so that a row to be read with care is told apart without its texts changed.
    void SetRowNote(std::function<QString(int row)> note) { rowNote_ = std::move(note); }
    // The data rows of a table that keeps its records itself: cell gives the text of column col
    // of its row i when the grid shows it, and the grid holds only its header row and its empty
    // last row (a file of a million records would be a hundred megabytes of texts). The rows
    // come at the table's end with SourceRowsAdded and go with SourceCleared; such a grid takes
    // no rows of its own (SetRowCount, InsertRows).
    void SetRowSource(std::function<QString(int col, int i)> cell);
    void SourceRowsAdded(int count);
    void SourceCleared();

    // The table view shows row 0 as the column headers and the fixed
    // column as the row headers, so screen readers announce them as such.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    int cols_;
    int fixedCols_;
    std::function<QString(int row)> rowNote_;
    std::function<QString(int col, int i)> source_;
    int sourceRows_ = 0;
    // One UTF-8 string per row, its cells apart by kCellSeparator: a live table
    // of a hundred thousand rows then costs a few megabytes, not a hundred. With a source,
    // the header row and the last row; the source's rows stand between them.
    std::vector<std::string> cells_;
    // The row of cells_ that grid row `row` is, or −1 for a source's row.
    [[nodiscard]] int StoredRow(int row) const;
};

// A grid of texts with a fixed header row, backed by a model so that it
// stays fast with a hundred thousand rows.
class StringGrid final : public QTableView {
    Q_OBJECT
public:
    StringGrid(int cols, int rows, int fixedCols, QWidget* parent = nullptr);

    [[nodiscard]] int ColCount() const { return model_->ColCount(); }
    [[nodiscard]] int RowCount() const { return model_->RowCount(); }
    void SetRowCount(int rows) { model_->SetRowCount(rows); }
    [[nodiscard]] QString Cells(int col, int row) const { return model_->Cell(col, row); }
    void SetCells(int col, int row, const QString& text);
    void InsertRows(int before, int count, const std::function<QString(int col, int i)>& cell) {
        model_->InsertRows(before, count, cell);
    }
    // The first data row in view; setting it scrolls the grid.
    [[nodiscard]] int TopRow() const;
    void SetTopRow(int row);
    [[nodiscard]] StringGridModel* Model() const { return model_; }
    // The selected cells (or the current one) as tab-separated lines, as spreadsheets paste them.
    [[nodiscard]] QString SelectedText() const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    StringGridModel* model_;
    // With a fixed column, the text of cell (0, 0) (the fixed column's header) shows on the
    // corner between the two headers.
    QLabel* corner_ = nullptr;
    int topRow_ = 1;
    bool scrollPending_ = false;
    void ScrollToTopRow();
};

}  // namespace lmr
