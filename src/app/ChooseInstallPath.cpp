#include "ChooseInstallPath.h"

#include "DatabaseFile.h"
#include "ShowDatabaseDialog.h"
#include "ShowModal.h"
#include "frmInst.h"

QString ChooseInstallPath(QWidget* parent)
{
    frmInst inst(parent);
    ShowModal(inst);
    // Anything but a local installation, the window closed included, asks for the location.
    if (inst.InstallType() == QLatin1String("LOCAL"))
        return LocalDatabasePath();
    const DatabaseChoice choice = ShowDatabaseDialog(parent, QString());
    return choice.answer == QLatin1String("CANCEL") ? QString() : choice.path;
}
