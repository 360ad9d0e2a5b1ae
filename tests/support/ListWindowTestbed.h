#pragma once

// Shared by the window tests: a new database as AppDatabase in the test's
// own folder, a message hook that records every box and answers from a list, and a way to
// act in a modal window once it is shown.

#include "AppDatabase.h"
#include "DaoType.h"
#include "Database.h"
#include "Messages.h"
#include "Schema.h"
#include "TextRoutines.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class ListWindowTestbed
{
public:
    using Action = std::function<void(QDialog& window)>;

    ListWindowTestbed()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString path = m_dir.path() + QStringLiteral("/brevoxal.mdb");
        QFile::copy(SchemaCopy(), path);
        SetAppDatabase(Database::Open(path));
        SetMessageHook([this](MessageKind kind, const QString& prompt) {
            if (kind == MessageKind::Attention) {
                notices.append(prompt);
                return true;
            }
            questions.append(prompt);
            if (m_answers.isEmpty()) {
                unanswered.append(prompt);
                return false;
            }
            return m_answers.takeFirst();
        });
        QObject::connect(&m_poll, &QTimer::timeout, [this] { actInModalWindow(); });
        m_poll.start(10);
    }

    ~ListWindowTestbed()
    {
        SetMessageHook(
            [](MessageKind kind, const QString&) { return kind == MessageKind::Attention; });
        SetAppDatabase(Database());
    }

    // The answers to the next questions, in order.
    void Answer(std::initializer_list<bool> answers) { m_answers.append(answers); }

    // Runs the action once the named window is the active modal window. A window the action
    // leaves open is closed afterwards and recorded in leftOpen, so a failing step cannot
    // hang the test.
    void OnWindow(const QString& name, Action action)
    {
        m_actions.append({name, std::move(action)});
    }
    bool AllWindowsSeen() const { return m_actions.isEmpty(); }

    static void Exec(const QString& sql) { AppDatabase().Execute(sql, dbFailOnError); }
    static QVariant Value(const QString& sql)
    {
        auto rs = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly);
        return rs->Eof() ? QVariant() : rs->Fields()[0].Value();
    }
    // Each row of the result as its values joined by '|', dates as yyyy-MM-dd.
    static QStringList Rows(const QString& sql)
    {
        QStringList rows;
        for (auto rs = AppDatabase().OpenRecordset(sql, dbOpenForwardOnly); !rs->Eof(); rs->MoveNext()) {
            QStringList values;
            for (int f = 0; f < rs->Fields().Count(); ++f) {
                const QVariant value = rs->Fields()[f].Value();
                values.append(value.typeId() == QMetaType::QDateTime
                                  ? value.toDate().toString(u"yyyy-MM-dd")
                                  : value.toString());
            }
            rows.append(values.join(u'|'));
        }
        return rows;
    }
    static int Count(const QString& sql) { return Value(sql).toInt(); }
    static QString Text(const QString& sql) { return Value(sql).toString(); }
    static void AddPatient(int ptid, const QString& lastName, const QString& callDate)
    {
        Exec(QStringLiteral("INSERT INTO Patients (ptid, lname, fname, calldate) VALUES (%1, '%2', "
                            "'Ann', #%3#)")
                 .arg(ptid)
                 .arg(SqlQuote(lastName), callDate));
    }

    QStringList questions;
    QStringList notices;
    QStringList unanswered;
    QStringList leftOpen;
    // What a finished test must not leave behind: questions nobody answered, windows its
    // steps did not close.
    QStringList Loose() const { return unanswered + leftOpen; }

private:
    // A new database made once per test program, copied for each test: making the schema is
    // most of a window test's time.
    static QString SchemaCopy()
    {
        static QTemporaryDir dir;
        static const QString path = [] {
            const QString file = dir.path() + QStringLiteral("/schema.mdb");
            Database db = Database::Create(file);
            CreateSchema(db);
            return file;
        }();
        return path;
    }

    void actInModalWindow()
    {
        auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (m_acting || !window || m_actions.isEmpty() ||
            window->objectName() != m_actions.first().first)
            return;
        m_acting = true;
        const Action action = m_actions.takeFirst().second;
        QPointer<QDialog> guard(window);
        action(*window);
        if (guard && guard->isVisible()) {
            leftOpen.append(guard->objectName());
            guard->done(QDialog::Rejected);
        }
        m_acting = false;
    }

    QTemporaryDir m_dir;
    QTimer m_poll;
    QList<bool> m_answers;
    QList<QPair<QString, Action>> m_actions;
    bool m_acting = false;
};

template <class T> T* Child(QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

inline bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline void ClickButton(QWidget& window, const QString& name)
{
    QTest::mouseClick(window.findChild<QAbstractButton*>(name), Qt::LeftButton);
}

// Replaces the text of an entry box as the user does: focus, select all, type.
inline void TypeInto(QWidget& window, const QString& name, const QString& text)
{
    auto* box = window.findChild<QLineEdit*>(name);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// The text a control shows; a check box shows [x] or [ ].
inline QString TextOf(QWidget& window, const QString& name)
{
    auto* widget = window.findChild<QWidget*>(name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(widget))
        return box->text();
    if (auto* spinner = qobject_cast<QAbstractSpinBox*>(widget))
        return spinner->text();
    if (auto* notes = qobject_cast<QPlainTextEdit*>(widget))
        return notes->toPlainText();
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button->isCheckable())
        return button->text();
    return button->isChecked() ? QStringLiteral("[x]") : QStringLiteral("[ ]");
}

inline bool IsEnabled(QWidget& window, const QString& name)
{
    return window.findChild<QWidget*>(name)->isEnabled();
}

// What the named controls show, joined by '|'; a disabled control is marked by a leading '~'.
inline QString ShownState(QWidget& window, const QStringList& names)
{
    QStringList shown;
    for (const QString& name : names)
        shown.append((IsEnabled(window, name) ? QString() : QStringLiteral("~")) + TextOf(window, name));
    return shown.join(u'|');
}

// Presses a mouse button over a data row of the grid (0 = first data row).
inline void PressRow(QTableWidget& grid, int row, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect cell = grid.visualRect(grid.model()->index(row, 0));
    QTest::mousePress(grid.viewport(), button, {}, cell.center());
    QTest::mouseRelease(grid.viewport(), button, {}, cell.center());
}

// The press and release of the first click come before the double-click, as from a mouse.
inline void DoubleClickAt(QWidget* surface, QPoint point)
{
    QTest::mouseClick(surface, Qt::LeftButton, {}, point);
    QTest::mouseDClick(surface, Qt::LeftButton, {}, point);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, point);
}

inline void DoubleClickRow(QAbstractItemView& grid, int row)
{
    DoubleClickAt(grid.viewport(), grid.visualRect(grid.model()->index(row, 0)).center());
}

inline QStringList RowTexts(const QTableWidget& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.columnCount(); ++c)
        texts.append(grid.item(row, c) ? grid.item(row, c)->text() : QString());
    return texts;
}
