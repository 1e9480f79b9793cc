#include "app/StringGrid.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <utility>

namespace lmr {

namespace {

constexpr char kCellSeparator = '\x1f';

// Where cell col of a row text starts and how long it is.
std::pair<size_t, size_t> CellSpan(const std::string& row, int col) {
    size_t begin = 0;
    for (int c = 0; c < col; ++c) {
        begin = row.find(kCellSeparator, begin);
        if (begin == std::string::npos) return {row.size(), 0};
        ++begin;
    }
    const size_t end = row.find(kCellSeparator, begin);
    return {begin, (end == std::string::npos ? row.size() : end) - begin};
}

}  // namespace

StringGridModel::StringGridModel(int cols, int rows, int fixedCols, QObject* parent)
    : QAbstractTableModel(parent), cols_(cols), fixedCols_(fixedCols) {
    cells_.resize(static_cast<size_t>(std::max(rows, 1)));
    for (auto& r : cells_) {
        r.assign(static_cast<size_t>(std::max(cols_ - 1, 0)), kCellSeparator);
    }
}

void StringGridModel::SetRowCount(int rows) {
    rows = std::max(rows, 1);
    const int old = RowCount();
    if (rows > old) {
        beginInsertRows({}, old - 1, rows - 2);
        cells_.resize(static_cast<size_t>(rows));
        for (int r = old; r < rows; ++r) {
            cells_[static_cast<size_t>(r)].assign(static_cast<size_t>(std::max(cols_ - 1, 0)),
                                                  kCellSeparator);
        }
        endInsertRows();
    } else if (rows < old) {
        beginRemoveRows({}, rows - 1, old - 2);
        cells_.resize(static_cast<size_t>(rows));
        endRemoveRows();
    }
}

int StringGridModel::StoredRow(int row) const {
    if (row < 1) return row;
    return row <= sourceRows_ ? -1 : row - sourceRows_;
}

void StringGridModel::SetRowSource(std::function<QString(int col, int i)> cell) {
    beginResetModel();
    source_ = std::move(cell);
    sourceRows_ = 0;
    endResetModel();
}

void StringGridModel::SourceRowsAdded(int count) {
    if (count <= 0) return;
    // Model row r is grid row r + 1: the new rows go before the empty last row.
    beginInsertRows({}, sourceRows_, sourceRows_ + count - 1);
    sourceRows_ += count;
    endInsertRows();
}

void StringGridModel::SourceCleared() {
    if (sourceRows_ == 0) return;
    beginRemoveRows({}, 0, sourceRows_ - 1);
    sourceRows_ = 0;
    endRemoveRows();
}

QString StringGridModel::Cell(int col, int row) const {
    if (col < 0 || col >= cols_ || row < 0 || row >= RowCount()) {
        return {};
    }
    const int stored = StoredRow(row);
    if (stored < 0) return source_(col, row - 1);
    const std::string& r = cells_[static_cast<size_t>(stored)];
    const auto [begin, length] = CellSpan(r, col);
    return QString::fromUtf8(r.data() + begin, static_cast<qsizetype>(length));
}

void StringGridModel::SetCell(int col, int row, const QString& text) {
    if (col < 0 || col >= cols_ || row < 0 || row >= RowCount() || StoredRow(row) < 0) {
        return;
    }
    std::string& r = cells_[static_cast<size_t>(StoredRow(row))];
    std::string utf8 = text.toStdString();
    // A separator in a text would split its cell.
    std::replace(utf8.begin(), utf8.end(), kCellSeparator, ' ');
    const auto [begin, length] = CellSpan(r, col);
    r.replace(begin, length, utf8);
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

void StringGridModel::InsertRows(int before, int count,
                                 const std::function<QString(int col, int i)>& cell) {
    before = std::clamp(before, 1, RowCount());
    if (count <= 0) return;
    std::vector<std::string> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string& r = rows[static_cast<size_t>(i)];
        for (int c = 0; c < cols_; ++c) {
            if (c > 0) r += kCellSeparator;
            std::string utf8 = cell(c, i).toStdString();
            std::replace(utf8.begin(), utf8.end(), kCellSeparator, ' ');
            r += utf8;
        }
    }
    beginInsertRows({}, before - 1, before - 1 + count - 1);
    cells_.insert(cells_.begin() + before, std::make_move_iterator(rows.begin()),
                  std::make_move_iterator(rows.end()));
    endInsertRows();
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
    if (rowNote_ && (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole ||
                     role == Qt::BackgroundRole)) {
        const QString note = rowNote_(index.row() + 1);
        if (note.isEmpty()) return {};
        if (role == Qt::BackgroundRole) return QColor(255, 210, 210);
        return note;
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
    // Tab and Shift+Tab go on to the next control; the arrows move from cell to cell.
    setTabKeyNavigation(false);
}

void StringGrid::SetCells(int col, int row, const QString& text) {
    model_->SetCell(col, row, text);
    if (corner_ != nullptr && col == 0 && row == 0) corner_->setText(text);
}

QString StringGrid::SelectedText() const {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells << currentIndex();
    if (cells.isEmpty()) return {};
    int top = cells.first().row(), bottom = top, left = cells.first().column(), right = left;
    for (const QModelIndex& i : cells) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    QString text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += QLatin1Char('\t');
            const QModelIndex i = model_->index(r, c);
            if (selectionModel()->isSelected(i) || cells.size() == 1) text += i.data().toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void StringGrid::keyPressEvent(QKeyEvent* e) {
    // The view's own copy takes the current cell only.
    if (e->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(SelectedText());
        e->accept();
        return;
    }
    // Ctrl+Tab leaves the table too, as in a dialog's text box (the pages would take it).
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) &&
        (e->modifiers() & Qt::ControlModifier)) {
        const bool back = e->key() == Qt::Key_Backtab || (e->modifiers() & Qt::ShiftModifier);
        focusNextPrevChild(!back);
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

int StringGrid::TopRow() const {
    return topRow_;
}

void StringGrid::SetTopRow(int row) {
    topRow_ = row;
    // Scrolling a hidden table makes it measure all its rows again, which grows with a live
    // table of a hundred thousand readings: it scrolls when it is shown.
    if (!isVisible()) {
        scrollPending_ = true;
        return;
    }
    ScrollToTopRow();
}

void StringGrid::ScrollToTopRow() {
    scrollPending_ = false;
    const int modelRow = std::min(topRow_ - 1, model_->rowCount() - 1);
    if (modelRow >= 0) {
        scrollTo(model_->index(modelRow, 0), QAbstractItemView::PositionAtTop);
    }
}

void StringGrid::showEvent(QShowEvent* e) {
    QTableView::showEvent(e);
    if (scrollPending_) ScrollToTopRow();
}

}  // namespace lmr
