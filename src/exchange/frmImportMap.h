#pragma once

#include "ImportJob.h"

#include <QDialog>
#include <QStringList>
#include <memory>
#include <optional>

namespace Ui { class frmImportMap; }
class ColumnButton;
class QLabel;

// Maps the columns of a delimited text file onto the fields of a table, by dragging the
// fields onto the columns, and imports every line as a new record.
class frmImportMap : public QDialog {
    Q_OBJECT
public:
    explicit frmImportMap(QWidget* parent = nullptr);
    ~frmImportMap() override;

    void Init(const QString& inFileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyTarget();
    void layoutFields();
    void readFile(bool reset);
    void makeColumns(int count);
    void page(int value);
    void mapField(ColumnButton* button, const QString& field);
    void unmapColumn(int number);
    std::optional<QStringList> readLines() const;
    ImportJob::Mapping mapping() const;
    void import();
    QStringList importMessages(const QStringList& lines, const ImportJob::Mapping& fields);
    QChar delimiter() const;
    int firstDataLine() const;

    std::unique_ptr<Ui::frmImportMap> ui;
    QString m_fileName;
    std::unique_ptr<ImportJob> m_job;
    QStringList m_available;
    bool m_detect = true;
    QList<ColumnButton*> m_buttons;
    QList<QLabel*> m_values;
};
