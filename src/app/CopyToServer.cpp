#include "CopyToServer.h"

#include "AppDatabase.h"
#include "Messages.h"
#include "ServerCopy.h"
#include "ServerDialog.h"
#include "ShowModal.h"

#include <QApplication>

void CopyDatabaseToServer(QWidget* parent)
{
    ServerDialog server(parent, QStringLiteral("Copy this database to a server"));
    if (ShowModal(server) != QDialog::Accepted)
        return;
    QList<ServerCopy::TableCount> counts;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool copied =
        RunReportingErrors([&] { counts = ServerCopy::Run(AppDatabase(), server.Connection()); });
    QApplication::restoreOverrideCursor();
    if (copied)
        ShowAttention(QStringLiteral("The database was copied to the server; every table holds "
                                     "as many rows as here:\n\n") +
                      ServerCopy::Report(counts));
}
