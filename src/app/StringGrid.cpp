#include "app/StringGrid.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QHeaderView>

namespace lmr {

StringGridModel::StringGridModel(int cols, int rows, int fixedCols, QObject* parent)
    : QAbstractTableModel(parent), cols_(cols), fixedCols_(fixedCols) {
    cells_.resize(static_cast<size_t>(std::max(rows, 1)));
    for (auto& r : cells_) {
        r.resize(static_cast<size_t>(cols_));
    }
}

void StringGridModel::SetRowCount(int rows) {
    rows = std::max(rows, 1);
    const int old = RowCount();
    if (rows > old) {
        beginInsertRows({}, old - 1, rows - 2);
        cells_.resize(static_cast<size_t>(rows));
        for (int r = old; r < rows; ++r) {
            cells_[static_cast<size_t>(r)].resize(static_cast<size_t>(cols_));
        }
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows - 1, old - 2);
        cells_.resize(static_cast<size_t>(rows));
        endRemoveRows();
    }
}

QString StringGridModel::Cell(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= RowCount()) {
        return {};
    }
    return QString::fromStdString(cells_[static_cast<size_t>(row)][static_cast<size_t>(col)]);
}

void StringGridModel::SetCell(int col, int row, const QString& text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= RowCount()) {
        return;
    }
    cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = text.toStdString();
    if (row == 0) {
        if (col >= fixedCols_) {
            emit headerDataChanged(Qt::Horizontal, col - fixedCols_, col - fixedCols_);
        }
    } else if (col < fixedCols_) {
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else {
        const QModelIndex i = index(row - 1, col - fixedCols_);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }
}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount() - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_ - fixedCols_;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return Cell(index.column() + fixedCols_, index.row() + 1);
    }
    return {};
}

QVariant StringGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    if (o == Qt::Horizontal) {
        return Cell(section + fixedCols_, 0);
    }
    return fixedCols_ > 0 ? Cell(0, section + 1) : QVariant();
}

StringGrid::StringGrid(int cols, int rows, int fixedCols, QWidget* parent)
    : QTableView(parent), model_(new StringGridModel(cols, rows, fixedCols, this)) {
    setModel(model_);
    horizontalHeader()->setDefaultSectionSize(61);
    horizontalHeader()->setMinimumSectionSize(20);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setMinimumSectionSize(18);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setVisible(fixedCols > 0);
    if (fixedCols > 0) {
        verticalHeader()->setFixedWidth(61);
        if (auto* cornerButton = findChild<QAbstractButton*>()) {
            corner_ = new QLabel(cornerButton);
            corner_->setAlignment(Qt::AlignCenter);
            corner_->setAttribute(Qt::WA_TransparentForMouseEvents);
            auto* layout = new QHBoxLayout(cornerButton);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(corner_);
        }
    }
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
}

void StringGrid::SetCells(int col, int row, const QString& text) {
    model_->SetCell(col, row, text);
    if (corner_ != nullptr && col == 0 && row == 0) corner_->setText(text);
}

int StringGrid::TopRow() const {
    return topRow_;
}

void StringGrid::SetTopRow(int row) {
    topRow_ = row;
    const int modelRow = std::min(row - 1, model_->rowCount() - 1);
    if (modelRow >= 0) {
        scrollTo(model_->index(modelRow, 0), QAbstractItemView::PositionAtTop);
    }
}

}  // namespace lmr
