#include "ChooseInstallPath.h"

#include "DatabaseFile.h"
#include "ShowDatabaseDialog.h"
#include "ShowModal.h"
#include "frmInst.h"

QString ChooseInstallPath(QWidget* parent)
{
    frmInst inst(parent);
    ShowModal(inst);
    if (inst.InstallType() == QLatin1String("LOCAL"))
        return LocalDatabasePath();
    if (inst.InstallType().isEmpty())
        return QString();
    const DatabaseChoice choice = ShowDatabaseDialog(parent, QString());
    return choice.answer == QLatin1String("CANCEL") ? QString() : choice.path;
}
