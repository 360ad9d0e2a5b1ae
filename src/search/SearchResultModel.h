#pragma once

#include "SearchRecords.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>

// The result grid's rows: one per record of the last listing, the column headings as the
// grid's header. Cell texts are made only for the rows on screen.
class SearchResultModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The headings with no rows.
    void SetHeadings(const QStringList& headings);
    void SetRecords(std::unique_ptr<SearchRecords> records);
    // The records listed; nullptr before the first listing.
    const SearchRecords* Records() const { return m_records.get(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    std::unique_ptr<SearchRecords> m_records;
};
