#pragma once

#include <QString>

// The deletion of a doctor, drug or health factor, asked first: a record that patients are
// still linked to has a question of its own, since the links go with it.
struct AskedDeletion {
    QString id;
    // Completed with the identifier; its first field is the number of links.
    QString linkCountSql;
    QString linkedQuestion;
    // Shown when the linked question is declined.
    QString cancelledNotice;
    QString plainQuestion;
    void (*deleteRecord)(const QString& id) = nullptr;

    // Asks and deletes; true when the record is gone. Engine errors are raised as DbError.
    bool Run() const;

    // The questions the windows share, naming the record as given.
    static QString DoctorLinkedQuestion(const QString& name);
    static QString DrugLinkedQuestion(const QString& name);
    static QString HealthFactorLinkedQuestion(const QString& name);
    static QString PlainQuestion(const QString& name);
};
