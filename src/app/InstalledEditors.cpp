#include "InstalledEditors.h"

#include "EditorWindow.h"
#include "frmDoctors.h"
#include "frmDrugs.h"
#include "frmHF.h"
#include "frmMain.h"
#include "frmPatient.h"

void InstallEditors(frmMain& window)
{
    window.SetEditor(QStringLiteral("Patient"), ModalEditor<frmPatient>());
    window.SetEditor(QStringLiteral("Doctor"), ModalEditor<frmDoctors>());
    window.SetEditor(QStringLiteral("Drug"), ModalEditor<frmDrugs>());
    window.SetEditor(QStringLiteral("HealthFactor"), ModalEditor<frmHF>());
}
