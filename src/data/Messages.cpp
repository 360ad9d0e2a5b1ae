#include "Messages.h"

#include "DbError.h"

#include <QDebug>

namespace {

MessageHook& hook()
{
    static MessageHook current = [](MessageKind kind, const QString& prompt) {
        qWarning().noquote() << (kind == MessageKind::Question ? "Question:" : "Attention:")
                             << prompt;
        return kind == MessageKind::Attention;
    };
    return current;
}

} // namespace

void SetMessageHook(MessageHook newHook)
{
    hook() = std::move(newHook);
}

bool AskQuestion(const QString& prompt)
{
    return hook()(MessageKind::Question, prompt);
}

void ShowAttention(const QString& prompt)
{
    hook()(MessageKind::Attention, prompt);
}

bool RunReportingErrors(const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const DbError& error) {
        ShowAttention(error.Description());
    } catch (const std::exception& error) {
        ShowAttention(QString::fromLocal8Bit(error.what()));
    }
    return false;
}
