#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class SearchReceiver;

// Looks up a patient, doctor, drug or health factor: lists every record of the kind,
// narrows the list by one field, and hands the double-clicked record to the window that
// opened it.
class frmSearch : public QDialog {
    Q_OBJECT
public:
    explicit frmSearch(QWidget* parent = nullptr);
    ~frmSearch() override;

    // pSearchFor: "Patient", "Doctor", "Drug" or "HealthFactor". pSearchDefault preselects
    // the search field of that display name, if the kind has one.
    void Init(const QString& pSearchFor, SearchReceiver* pCallingForm,
              const QString& pSearchDefault = QString());
};

// Opens the search modally over parent; a picked record reaches receiver before it returns.
void OpenSearch(QWidget* parent, SearchReceiver& receiver, const QString& kind,
                const QString& preset = QString());
