#pragma once

#include "ListWindowTestbed.h"
#include "ShowModal.h"
#include "frmFindD.h"

#include <QHash>
#include <QListWidget>
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
    // Steps as a table writes them, separated by "; ": "yes" or "no" answers the next question;
    // "<window> <word>..." acts in the next such window word by word: "close" closes it, "opt.."
    // chooses an option, "cmd.." clicks a button, "=<name>" logs the text a control shows, and
    // in the folder window "in=<folder>" (under root) and "pick=<file>" choose where.
    void Play(const QString& steps, const QString& root = QString())
    {
        for (const QString& step : steps.split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
            const QStringList words = step.split(u' ');
            if (words[0] == u"yes" || words[0] == u"no")
                m_answers.append(words[0] == u"yes");
            else
                OnWindow(words[0], [=, this](QDialog& w) { act(w, words.mid(1), root); });
        }
    }

    QStringList seen;
    QStringList unexpected;

private:
    void act(QDialog& w, const QStringList& words, const QString& root);
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

// Clicks the named button of a window as the user would; an option button on its circle, where a
// click always lands.
inline void ClickButton(QDialog& window, const QString& name)
{
    auto* button = window.findChild<QAbstractButton*>(name);
    QVERIFY2(button && button->isEnabled(), qPrintable(name));
    const bool option = name.startsWith(u"opt");
    QTest::mouseClick(button, Qt::LeftButton, {},
                      option ? QPoint(8, button->height() / 2) : QPoint());
    QVERIFY2(!option || button->isChecked(), qPrintable(name));
}

inline void UserScript::act(QDialog& w, const QStringList& words, const QString& root)
{
    for (const QString& word : words) {
        const QString name = word.section(u'=', 0, 0);
        const QString value = word.section(u'=', 1);
        if (word == u"close") {
            w.close();
        } else if (name.isEmpty()) {
            seen.append(TextOf(w, value));
        } else if (name == u"in") {
            static_cast<frmFindD&>(w).SetFolder(root + u'/' + value);
        } else if (name == u"pick") {
            auto* files = w.findChild<QListWidget*>(QStringLiteral("FileDB"));
            files->setCurrentItem(files->findItems(value, Qt::MatchExactly).value(0));
        } else {
            ClickButton(w, word);
        }
    }
}
