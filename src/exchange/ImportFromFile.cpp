#include "ImportFromFile.h"

#include "TextRoutines.h"
#include "frmImportMap.h"

#include <QDir>
#include <QFileDialog>

bool ImportFromFile(QWidget* parent, const std::function<int(QDialog&)>& show)
{
    QFileDialog dialog(parent, QStringLiteral("Select The file you want to import"), QDir::homePath(),
                       QStringLiteral("Text (*.txt *.csv)"));
    dialog.setObjectName(QStringLiteral("ImportFileDlg"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString fileName =
        show(dialog) == QDialog::Accepted ? TrimText(dialog.selectedFiles().value(0)) : QString();
    if (fileName.isEmpty())
        return false;
    frmImportMap window(parent);
    window.Init(fileName);
    show(window);
    return true;
}
