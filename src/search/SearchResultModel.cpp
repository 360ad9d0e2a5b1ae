#include "SearchResultModel.h"

void SearchResultModel::SetHeadings(const QStringList& headings)
{
    beginResetModel();
    m_headings = headings;
    m_records.reset();
    endResetModel();
}

void SearchResultModel::SetRecords(std::unique_ptr<SearchRecords> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

int SearchResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_records ? 0 : m_records->Count();
}

int SearchResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_headings.size());
}

QVariant SearchResultModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return m_records->Cell(index.row(), index.column());
}

QVariant SearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= m_headings.size())
        return QVariant();
    return m_headings.at(section);
}
