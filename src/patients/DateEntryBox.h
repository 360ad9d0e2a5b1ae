#pragma once

#include <QDate>
#include <QLineEdit>
#include <optional>

// A text box for a date typed by hand. It may be left empty, but leaving it with text that is
// no date puts the focus back (without a message); leaving it with a date announces the date.
class DateEntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEntryBox(QWidget* parent = nullptr);

    // The date in the box, or nothing when the box is empty or holds no date.
    std::optional<QDate> Date() const;
    // A date as the database reads it (m/d/yyyy, m/d/yy or yyyy-mm-dd), without a time.
    static std::optional<QDate> ReadDate(const QString& text);

signals:
    void dateLeft(QDate date);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool holdsNoDate() const;
    void takeFocusBack();
};
