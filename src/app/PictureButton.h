#pragma once

#include <QLabel>

// A picture of the main window's picture menu: its icon, highlighted while the pointer is
// over it, and click and double-click.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    PictureButton(const QString& iconName, QWidget* parent = nullptr);

    bool IsHighlighted() const { return m_highlighted; }

signals:
    void clicked();
    void doubleClicked();
    void hovered(bool inside);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void showIcon(bool highlighted);

    QString m_iconName;
    bool m_highlighted = false;
    // The release that ends a double-click is no second click.
    bool m_inDoubleClick = false;
};
