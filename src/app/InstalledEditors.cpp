#include "InstalledEditors.h"

#include "EditorWindow.h"
#include "frmMain.h"
#include "frmPatient.h"

void InstallEditors(frmMain& window)
{
    window.SetEditor(QStringLiteral("Patient"), ModalEditor<frmPatient>());
}
