#pragma once

#include <QString>

// The deletion of the record on a selected grid row, with the questions the user answers
// first. Engine errors are the caller's to report.
class RecordDeletion {
public:
    // id: column 0; first and last: the name cells of patients and doctors; name: column 1
    // of drugs and health factors (pass it as last).
    RecordDeletion(QString view, QString id, QString first, QString last);

    // Asks and deletes; true when the record is gone and the view must be read again.
    bool Run() const;

private:
    bool deletePatient() const;
    // Doctors, drugs and health factors: a record still linked to patients is un-assigned
    // from them only after its own question.
    bool deleteLinked(const QString& countSql, const QString& linkedQuestion,
                      const QString& plainQuestion, void (*deleteRecord)(const QString&)) const;

    QString m_view;
    QString m_id;
    QString m_first;
    QString m_last;
};
