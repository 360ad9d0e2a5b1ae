#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

// Shown while the program starts; closes itself after 1.5 seconds or when clicked.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* Frame1;
    QLabel* Image2;
    QTimer* Timer1;
};
