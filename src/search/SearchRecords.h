#pragma once

#include <QString>

class Recordset;
class SearchReceiver;

// The records of one listing, in the order of the grid's rows, and what the grid shows of
// each.
class SearchRecords
{
public:
    virtual ~SearchRecords() = default;

    // Reads every row left in the recordset into a record, in result order.
    virtual void Fill(Recordset& rs) = 0;
    virtual int Count() const = 0;
    // The text of a grid column for the record at row (0 = the first record).
    virtual QString Cell(int row, int column) const = 0;
    // Passes the record at row to the receiver's LoadObjectData.
    virtual void HandOver(int row, SearchReceiver& receiver) const = 0;
};
