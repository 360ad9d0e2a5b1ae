#pragma once

#include <QToolBar>

class QAction;

// The main window's toolbar: new record, call list, reminder letters. The status text
// follows the pointer's horizontal position, 360 twips per button.
class MainToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolBar(QWidget* parent = nullptr);

    QAction* NewRecordAction() const { return m_newRecord; }
    QAction* CallListAction() const { return m_callList; }
    QAction* LetterAction() const { return m_letter; }
    // Button 1's text, by the view shown.
    void SetNewRecordStatus(const QString& text) { m_newRecordStatus = text; }
    // The status text for a pointer at x pixels from the toolbar's left edge.
    QString StatusAt(int x) const;

signals:
    void statusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addButton(const QString& name, const QString& icon, const QString& toolTip);
    void watch(QWidget* widget);

    QAction* m_newRecord;
    QAction* m_callList;
    QAction* m_letter;
    QString m_newRecordStatus;
};
