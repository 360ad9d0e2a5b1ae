#include "ShowDatabaseDialog.h"

#include "DatabaseSettings.h"
#include "Messages.h"
#include "ShowModal.h"
#include "TextRoutines.h"
#include "frmDataO.h"

DatabaseChoice ShowDatabaseDialog(QWidget* parent, const QString& initialPath)
{
    frmDataO dialog(parent);
    dialog.Init(initialPath);
    ShowModal(dialog);
    if (!dialog.ServerConnection().isEmpty()) {
        RememberServer(dialog.ServerConnection());
        return {QStringLiteral("SERVER"), dialog.ServerConnection()};
    }
    DatabaseChoice choice{dialog.CreateNew() ? QStringLiteral("NEW") : QStringLiteral("OLD"),
                          QString()};
    if (!TrimText(dialog.DataFilePath()).isEmpty()) {
        choice.path = dialog.DataFilePath();
        RememberDatabasePath(choice.path);
        return choice;
    }
    // Without a path there is nothing to create either, whichever option was last chosen.
    ShowAttention(QStringLiteral("No DataBase has been selected/created"));
    choice.answer = QStringLiteral("CANCEL");
    return choice;
}
