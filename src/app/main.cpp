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
    const QString databaseFile = ParseCommandLine(argc, argv);
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
    if (!databaseFile.isEmpty() && AcquireSingleInstanceLock())
        RememberDatabasePath(databaseFile);
    if (!w.Load())
        return 0;
    w.show();
    const int code = QApplication::exec();
    AppDatabase().Close();
    return code;
}
