#include "StartUp.h"

#include "AppDatabase.h"
#include "DatabaseOpening.h"
#include "DatabaseSettings.h"
#include "LocateAndOpenDatabase.h"
#include "Messages.h"
#include "ShowDatabaseDialog.h"
#include "SingleInstance.h"

#include <QFileInfo>
#include <QWidget>

namespace {

QString& currentPath()
{
    static QString path;
    return path;
}

// The connection string of the open database when it is on a server.
QString& currentServer()
{
    static QString server;
    return server;
}

// Windows of the start-up are centred on the screen while the main window is still hidden.
QWidget* dialogParent(QWidget* window)
{
    return window && window->isVisible() ? window : nullptr;
}

} // namespace

bool RunStartUp(QWidget* mainWindow)
{
    if (!AcquireSingleInstanceLock()) {
        ShowAttention(QStringLiteral("You already have an instance of 'Velmora' running."));
        return false;
    }
    const QString path = LocateAndOpenDatabase(dialogParent(mainWindow));
    if (path.isEmpty())
        return false;
    currentPath() = path;
    currentServer() = RememberedServer();
    return true;
}

bool ChangeDatabaseLocation(QWidget* parent)
{
    // The dialog always starts empty, so that its Cancel can end the change at any point.
    DatabaseChoice choice = ShowDatabaseDialog(parent, QString());
    for (;;) {
        if (choice.answer == QLatin1String("CANCEL"))
            break;
        if (choice.answer == QLatin1String("SERVER")) {
            if (ConnectAsAppDatabase(parent, choice.path)) {
                currentPath() = AppDatabase().Name();
                currentServer() = choice.path;
                return true;
            }
        } else if (QFileInfo::exists(choice.path)) {
            if (OpenAsAppDatabase(choice.path)) {
                currentPath() = choice.path;
                currentServer().clear();
                return true;
            }
        } else if (choice.answer == QLatin1String("NEW")) {
            if (CreateNewDatabase(choice.path))
                continue;
        } else if (!AskQuestion(NotFoundQuestion(choice.path))) {
            continue;
        }
        choice = ShowDatabaseDialog(parent, QString());
    }
    // The dialog may have remembered a location that was never opened.
    if (!currentServer().isEmpty())
        RememberServer(currentServer());
    else if (!currentPath().isEmpty())
        RememberDatabasePath(currentPath());
    return false;
}

QString CurrentDbPath()
{
    return currentPath();
}
