#include "DateEntryBox.h"

#include "JetDate.h"
#include "TextRoutines.h"

#include <QFocusEvent>

DateEntryBox::DateEntryBox(QWidget* parent) : QLineEdit(parent) {}

std::optional<QDate> DateEntryBox::Date() const
{
    return ReadDate(text());
}

std::optional<QDate> DateEntryBox::ReadDate(const QString& text)
{
    // A time is no birth date, and the engine would take a time alone for 12/30/1899.
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty() || trimmed.contains(u':'))
        return std::nullopt;
    const auto parsed = JetDate::Parse(trimmed);
    if (!parsed)
        return std::nullopt;
    return parsed->date();
}

bool DateEntryBox::holdsNoDate() const
{
    return !TrimText(text()).isEmpty() && !Date();
}

void DateEntryBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Switching to another window or a pop-up is not leaving the box.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (const auto date = Date())
        emit dateLeft(*date);
    else if (holdsNoDate())
        // Queued: the widget taking the focus is not done taking it yet.
        QMetaObject::invokeMethod(this, &DateEntryBox::takeFocusBack, Qt::QueuedConnection);
}

void DateEntryBox::takeFocusBack()
{
    // The click that moved the focus may have cleared, locked or closed the window meanwhile.
    if (holdsNoDate() && isEnabled() && isVisible())
        setFocus(Qt::OtherFocusReason);
}
