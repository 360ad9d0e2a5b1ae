#include "UserScript.h"

#include "ShowModal.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

UserScript::UserScript()
{
    SetMessageHook([this](MessageKind kind, const QString& prompt) { return message(kind, prompt); });
    SetModalHook([this](QDialog& window) { return show(window); });
}

UserScript::~UserScript()
{
    SetMessageHook([](MessageKind kind, const QString&) { return kind == MessageKind::Attention; });
    SetModalHook(nullptr);
}

void UserScript::OnWindow(const QString& name, Action action)
{
    m_actions[name].append(std::move(action));
}

void UserScript::Answer(bool yes)
{
    m_answers.append(yes);
}

bool UserScript::message(MessageKind kind, const QString& prompt)
{
    if (kind == MessageKind::Attention) {
        notices.append(prompt);
        return true;
    }
    questions.append(prompt);
    if (m_answers.isEmpty()) {
        unexpected.append(QStringLiteral("question: ") + prompt);
        return false;
    }
    return m_answers.takeFirst();
}

int UserScript::show(QDialog& window)
{
    const QString name = window.objectName();
    windows.append(name);
    QList<Action>& queue = m_actions[name];
    if (queue.isEmpty()) {
        unexpected.append(QStringLiteral("window: ") + name);
        return QDialog::Rejected;
    }
    const Action action = queue.takeFirst();
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

void ClickButton(QDialog& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QVERIFY2(button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void ChooseOption(QDialog& window, const char* name)
{
    auto* option = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(option, name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QVERIFY2(option->isChecked(), name);
}
