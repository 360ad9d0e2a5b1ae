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

#include <QApplication>
#include <QDialog>
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
        SetAppDatabase(Database::Create(m_dir.path() + QStringLiteral("/brevoxal.mdb")));
        CreateSchema(AppDatabase());
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

private:
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
