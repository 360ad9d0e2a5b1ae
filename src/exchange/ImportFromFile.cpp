#include "ImportFromFile.h"

#include "TextRoutines.h"
#include "frmImportMap.h"

#include <QDir>
#include <QFileDialog>

bool ImportFromFile(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Select The file you want to import"), QDir::homePath(),
                       QStringLiteral("Text (*.txt *.csv)"));
    dialog.setObjectName(QStringLiteral("ImportFileDlg"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString fileName =
        dialog.exec() == QDialog::Accepted ? TrimText(dialog.selectedFiles().value(0)) : QString();
    if (fileName.isEmpty())
        return false;
    frmImportMap window(parent);
    window.Init(fileName);
    window.exec();
    return true;
}
