#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchReceiver;
class SearchResultModel;
struct SearchKindDefinition;

// Looks up a patient, doctor, drug or health factor: lists every record of the kind,
// narrows the list by one field, and hands the double-clicked record to the window that
// opened it.
class frmSearch : public QDialog
{
    Q_OBJECT
public:
    explicit frmSearch(QWidget* parent = nullptr);
    ~frmSearch() override;

    // pSearchFor: "Patient", "Doctor", "Drug" or "HealthFactor". pSearchDefault preselects
    // the search field of that display name, if the kind has one.
    void Init(const QString& pSearchFor, SearchReceiver* pCallingForm,
              const QString& pSearchDefault = QString());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setUpGridView();
    // The kind's headings and column widths; the window sized to show them.
    void setUpColumns();
    void cmdSearch_Click();
    // Lists what the statement returns; the number of rows, nullopt when the engine failed
    // (reported). No rows, or a failure, leave the grid as it was.
    std::optional<int> listResults(const QString& sql);
    void handOver(int row);

    const SearchKindDefinition* m_kind = nullptr;
    SearchReceiver* m_callingForm = nullptr;
    QComboBox* m_searchItems = nullptr;
    QComboBox* m_operator = nullptr;
    QLineEdit* m_searchFor = nullptr;
    QPushButton* m_search = nullptr;
    QTableView* m_grid = nullptr;
    SearchResultModel* m_results = nullptr;
};

// Opens the search modally over parent; a picked record reaches receiver before it returns.
void OpenSearch(QWidget* parent, SearchReceiver& receiver, const QString& kind,
                const QString& preset = QString());
