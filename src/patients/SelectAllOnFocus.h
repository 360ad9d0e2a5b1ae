#pragma once

#include <QObject>

class QLineEdit;

// Selects all of a text box's text whenever the box gets the focus, so that typing
// replaces the value instead of adding to it.
class SelectAllOnFocus : public QObject {
    Q_OBJECT
public:
    static void Install(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SelectAllOnFocus(QLineEdit* box);

    QLineEdit* m_box;
};
