#include "ViewModel.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Numbers come before text; two numbers compare by value, two texts without regard to case.
bool cellLess(const QString& a, const QString& b)
{
    const auto x = number(a);
    const auto y = number(b);
    if (x && y)
        return *x < *y;
    if (x || y)
        return bool(x);
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

} // namespace

void ViewModel::SetHeadings(const QStringList& headings)
{
    beginResetModel();
    m_headings = headings;
    m_rows.clear();
    endResetModel();
}

void ViewModel::SetRows(std::vector<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ViewModel::SortByColumn(int column)
{
    if (column < 0 || column >= m_headings.size())
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this, column](int a, int b) {
        return cellLess(m_rows[size_t(a)].at(column), m_rows[size_t(b)].at(column));
    });
    std::vector<int> newPosition(order.size());
    std::vector<QStringList> sorted;
    sorted.reserve(order.size());
    for (int oldRow : order) {
        newPosition[size_t(oldRow)] = int(sorted.size());
        sorted.push_back(std::move(m_rows[size_t(oldRow)]));
    }
    m_rows = std::move(sorted);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after.append(this->index(newPosition[size_t(index.row())], index.column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ViewModel::Cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return QString();
    return m_rows[size_t(row)].at(column);
}

int ViewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ViewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant ViewModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return Cell(index.row(), index.column());
}

QVariant ViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_headings.size())
        return QVariant();
    return m_headings.at(section);
}
