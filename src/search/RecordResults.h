#pragma once

#include "FieldList.h"
#include "Recordset.h"
#include "SearchReceiver.h"
#include "SearchRecords.h"

#include <functional>
#include <vector>

// The records of one kind, kept as record objects; a kind says how a row becomes a record
// and what each grid column shows of it.
template <class Record> class RecordResults : public SearchRecords
{
public:
    void Fill(Recordset& rs) override
    {
        m_records.clear();
        const std::function<Record()> read = reader(rs.Fields());
        for (; !rs.Eof(); rs.MoveNext())
            m_records.push_back(read());
    }

    int Count() const override { return int(m_records.size()); }

    QString Cell(int row, int column) const override
    {
        return cell(m_records[size_t(row)], column);
    }

    void HandOver(int row, SearchReceiver& receiver) const override
    {
        receiver.LoadObjectData(m_records.at(size_t(row)));
    }

protected:
    // Builds a record from the recordset's current row; the fields are looked up once here.
    virtual std::function<Record()> reader(const FieldList& fields) const = 0;
    virtual QString cell(const Record& record, int column) const = 0;

private:
    std::vector<Record> m_records;
};
