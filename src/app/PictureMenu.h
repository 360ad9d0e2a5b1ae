#pragma once

#include <QFrame>

// The picture menu on the left of the main window: one picture per view.
class PictureMenu : public QFrame {
    Q_OBJECT
public:
    explicit PictureMenu(QWidget* parent = nullptr);

signals:
    void viewChosen(const QString& kind);
    void newRecordRequested(const QString& kind);
    void statusText(const QString& text);
};
