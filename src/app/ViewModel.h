#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

// The rows of the main window's grid as cell text, with the headings of the view shown.
class ViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The heading row only, with these headings.
    void SetHeadings(const QStringList& headings);
    void SetRows(std::vector<QStringList> rows);
    // Ascending by one column: numbers as numbers, other text as text; equal cells keep
    // their order.
    void SortByColumn(int column);

    QString Cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList m_headings;
    std::vector<QStringList> m_rows;
};
