#pragma once

#include <QString>
#include <functional>

class DbError;

enum class MessageKind { Question, Attention };

// Shows a message and returns the answer (true for Yes; Attention boxes return true).
// The application installs a hook that puts up the real box; tests install one that answers.
using MessageHook = std::function<bool(MessageKind kind, const QString& prompt)>;
void SetMessageHook(MessageHook hook);

// The "Question" box with Yes and No: true when Yes was chosen.
bool AskQuestion(const QString& prompt);
// The "Attention" box with OK.
void ShowAttention(const QString& prompt);

// Runs an operation; an engine error is shown in the Attention box instead of ending the
// program, and the caller learns it failed. The window stays as it was.
bool RunReportingErrors(const std::function<void()>& operation);
