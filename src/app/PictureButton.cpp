#include "PictureButton.h"

#include <QIcon>
#include <QMouseEvent>
#include <utility>

namespace {

constexpr int IconPixels = 32;

} // namespace

PictureButton::PictureButton(const QString& iconName, QWidget* parent)
    : QLabel(parent), m_iconName(iconName)
{
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    showIcon(false);
}

void PictureButton::showIcon(bool highlighted)
{
    m_highlighted = highlighted;
    const QString prefix = highlighted ? QStringLiteral("exp_") : QString();
    const QIcon icon(QStringLiteral(":/icons/%1%2.svg").arg(prefix, m_iconName));
    setPixmap(icon.pixmap(QSize(IconPixels, IconPixels), devicePixelRatioF()));
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (!m_highlighted)
        showIcon(true);
    emit hovered(true);
}

void PictureButton::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (m_highlighted)
        showIcon(false);
    emit hovered(false);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (std::exchange(m_inDoubleClick, false))
        return;
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        m_inDoubleClick = true;
        emit doubleClicked();
    }
}
