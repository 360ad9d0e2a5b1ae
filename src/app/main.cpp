#include "AppDatabase.h"
#include "InstalledEditors.h"
#include "MessageBoxes.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    InstallMessageBoxes();
    {
        frmSplash splash;
        splash.exec();
    }
    QApplication::processEvents();
    frmMain w;
    InstallEditors(w);
    if (!w.Load())
        return 0;
    w.show();
    const int code = QApplication::exec();
    AppDatabase().Close();
    return code;
}
