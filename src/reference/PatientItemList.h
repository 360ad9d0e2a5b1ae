#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class Recordset;

// A list window of one patient's items (lab visits, contacts, drugs, health factors):
// a grid with a heading row, Add/Edit/Exit buttons and a Delete/Edit pop-up menu, rows
// selected by a press, edited by a double click, and the list reloaded after each change.
// Subclasses state only what differs: statements, columns, cell texts, the delete
// question and the editor they open.
class PatientItemList : public QDialog
{
    Q_OBJECT
public:
    struct Column {
        QString heading;
        int widthTwips = 0;
        // Takes the room a wider window gives; otherwise the last column does.
        bool stretches = false;
    };

    explicit PatientItemList(QWidget* parent = nullptr);
    ~PatientItemList() override;

    void Init(int inPtID, const QString& inPtFullName);

    // A column width given in twips, in pixels of the grid's font.
    int TwipsToPixels(int twips) const;

protected:
    int PatientId() const { return ptId; }
    QString FullName() const;

    // Builds the window; called by the subclass constructor once its
    // overrides are usable.
    void BuildWindow(const QString& title, const QString& addName, const QString& addCaption);

    virtual QList<Column> Columns() const = 0;
    virtual QString ListSql() const = 0;
    virtual QStringList RowTexts(Recordset& rs) const = 0;
    virtual QString DeleteQuestion(const QString& rowLabel) const = 0;
    virtual QString DeleteSql(int itemId) const = 0;
    // Opens the editor modally; itemId 0 means a new item.
    virtual void OpenEditor(int itemId) = 0;
    // Adjustments after each fill, e.g. column widths that depend on the count.
    virtual void AfterFill(int /*rowCount*/) {}
    // Lists keyed by item show an item once, should the table hold it twice.
    virtual bool OneRowPerItem() const { return false; }

    void SetColumnWidthTwips(int column, int twips);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetupGrid();
    void LoadList();
    void FillGrid(Recordset& rs);
    void AddEntry();
    void EditEntry();
    void DeleteEntry();
    void SelectItem(int itemId);
    void SelectRow(int row);
    // Identifier of the selected data row, or 0 when no data row is selected.
    int CurrentItemId() const;

    int ptId = 0;
    QLabel* lblFullName = nullptr;
    QTableWidget* grid = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdExit = nullptr;
    QMenu* mnuItems = nullptr;
};
