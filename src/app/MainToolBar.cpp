#include "MainToolBar.h"

#include "Twips.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QToolButton>

namespace {

constexpr int ButtonTwips = 360;

} // namespace

MainToolBar::MainToolBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(QStringLiteral("tbMain"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(20, 20));
    setContextMenuPolicy(Qt::PreventContextMenu);
    layout()->setContentsMargins(0, 0, 0, 0);
    layout()->setSpacing(0);
    m_newRecord = addButton(QStringLiteral("tbNewRecord"), QStringLiteral("newrecord"),
                            tr("New record"));
    m_callList = addButton(QStringLiteral("tbCallList"), QStringLiteral("calllist"),
                           tr("Call list"));
    m_letter = addButton(QStringLiteral("tbLetters"), QStringLiteral("letter"),
                         tr("Reminder letters"));
    watch(this);
}

QAction* MainToolBar::addButton(const QString& name, const QString& icon, const QString& toolTip)
{
    QAction* action = addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(icon)), toolTip);
    action->setObjectName(name);
    QWidget* button = widgetForAction(action);
    button->setObjectName(name + QStringLiteral("Button"));
    button->setFixedWidth(Twips::ToPixelsX(this, ButtonTwips));
    watch(button);
    return action;
}

void MainToolBar::watch(QWidget* widget)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

QString MainToolBar::StatusAt(int x) const
{
    const int twips = Twips::FromPixelsX(this, x - widgetForAction(m_newRecord)->x());
    if (twips < 0 || twips >= 3 * ButtonTwips)
        return QString();
    switch (twips / ButtonTwips) {
    case 0:
        return m_newRecordStatus;
    case 1:
        return tr("Print list of patients to be contacted");
    default:
        return tr("Print patient notification letter(s)");
    }
}

bool MainToolBar::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && event->type() == QEvent::MouseMove) {
        const QPoint at = widget->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint());
        emit statusText(StatusAt(at.x()));
    } else if (watched == this && event->type() == QEvent::Leave) {
        emit statusText(QString());
    }
    return QToolBar::eventFilter(watched, event);
}
