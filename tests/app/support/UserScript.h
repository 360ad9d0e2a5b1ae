#pragma once

#include "Messages.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>

class QDialog;

// Plays the user's part: acts in each window as it is shown (by the window's objectName,
// in order) and answers the questions with the answers given beforehand. Every window,
// question and notice is recorded; anything not expected is recorded as unexpected.
class UserScript {
public:
    using Action = std::function<void(QDialog& window)>;

    UserScript();
    ~UserScript();

    void OnWindow(const QString& name, Action action);
    void Answer(bool yes);

    QStringList windows;
    QStringList questions;
    QStringList notices;
    QStringList unexpected;

private:
    bool message(MessageKind kind, const QString& prompt);
    int show(QDialog& window);

    QHash<QString, QList<Action>> m_actions;
    QList<bool> m_answers;
};

// Clicks the named button of a window as the user would.
void ClickButton(QDialog& window, const char* name);
// Clicks the named option button on its circle, where a click always lands.
void ChooseOption(QDialog& window, const char* name);
