#pragma once

#include "Messages.h"
#include "ShowModal.h"

#include <QAbstractButton>
#include <QDialog>
#include <QHash>
#include <QTest>
#include <functional>

// Plays the user's part: acts in each window as it is shown (by the window's objectName,
// in order) and answers the questions with the answers given beforehand. What the user saw is
// logged in order: a window as "[name]", a question as "? text", a notice as its text.
// Anything not expected is recorded as unexpected, and fails the test when the script ends.
class UserScript {
public:
    using Action = std::function<void(QDialog& window)>;

    UserScript()
    {
        SetMessageHook([this](MessageKind kind, const QString& prompt) {
            if (kind == MessageKind::Attention) {
                seen.append(prompt);
                return true;
            }
            seen.append(QStringLiteral("? ") + prompt);
            if (m_answers.isEmpty())
                unexpected.append(QStringLiteral("question: ") + prompt);
            return !m_answers.isEmpty() && m_answers.takeFirst();
        });
        SetModalHook([this](QDialog& window) { return show(window); });
    }
    ~UserScript()
    {
        SetMessageHook(
            [](MessageKind kind, const QString&) { return kind == MessageKind::Attention; });
        SetModalHook(nullptr);
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u'\n')));
    }

    void OnWindow(const QString& name, Action action) { m_actions[name].append(std::move(action)); }
    void Answer(bool yes) { m_answers.append(yes); }

    QStringList seen;
    QStringList unexpected;

private:
    int show(QDialog& window)
    {
        const QString name = window.objectName();
        seen.append(u'[' + name + u']');
        if (m_actions[name].isEmpty()) {
            unexpected.append(QStringLiteral("window: ") + name);
            return QDialog::Rejected;
        }
        const Action action = m_actions[name].takeFirst();
        window.setResult(QDialog::Rejected);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            unexpected.append(QStringLiteral("not exposed: ") + name);
        action(window);
        if (window.isVisible()) {
            unexpected.append(QStringLiteral("left open: ") + name);
            window.hide();
        }
        return window.result();
    }

    QHash<QString, QList<Action>> m_actions;
    QList<bool> m_answers;
};

// Clicks the named button of a window as the user would.
inline void ClickButton(QDialog& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the named option button on its circle, where a click always lands.
inline void ChooseOption(QDialog& window, const char* name)
{
    auto* option = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(option, name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QVERIFY2(option->isChecked(), name);
}
