#include "SelectAllOnFocus.h"

#include "TextRoutines.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

SelectAllOnFocus::SelectAllOnFocus(QLineEdit* box) : QObject(box), m_box(box) {}

void SelectAllOnFocus::Install(QLineEdit* box)
{
    box->installEventFilter(new SelectAllOnFocus(box));
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event)
{
    // After the event: a mouse click that gave the focus places the cursor afterwards.
    if (watched == m_box && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_box, [box = m_box] { SelectAllText(*box); });
    return QObject::eventFilter(watched, event);
}
