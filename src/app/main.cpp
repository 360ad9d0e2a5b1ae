#include "AppDatabase.h"
#include "CommandLine.h"
#include "DatabaseSettings.h"
#include "InstalledEditors.h"
#include "MessageBoxes.h"
#include "SingleInstance.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    const CommandLineDatabase database = ParseCommandLine(argc, argv);
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));
    InstallMessageBoxes();
    {
        frmSplash splash;
        splash.exec();
    }
    QApplication::processEvents();
    frmMain w;
    InstallEditors(w);
    // A running instance keeps its database; only the one that starts takes the file given.
    if (!database.file.isEmpty() && AcquireSingleInstanceLock())
        RememberDatabasePath(database.file);
    if (!database.server.isEmpty() && AcquireSingleInstanceLock())
        RememberServer(database.server);
    if (!w.Load())
        return 0;
    w.show();
    const int code = QApplication::exec();
    AppDatabase().Close();
    return code;
}
