#include "MessageBoxes.h"

#include "Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace {

bool showMessage(MessageKind kind, const QString& prompt)
{
    QWidget* parent = QApplication::activeWindow();
    if (kind == MessageKind::Question) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Question"), prompt,
                        QMessageBox::Yes | QMessageBox::No, parent);
        box.setObjectName(QStringLiteral("msgQuestion"));
        return box.exec() == QMessageBox::Yes;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Attention"), prompt,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("msgAttention"));
    box.exec();
    return true;
}

} // namespace

void InstallMessageBoxes()
{
    SetMessageHook(showMessage);
}
