#include "LocateAndOpenDatabase.h"

#include "AppDatabase.h"
#include "ChooseInstallPath.h"
#include "DatabaseOpening.h"
#include "DatabaseSettings.h"
#include "Messages.h"
#include "ShowDatabaseDialog.h"
#include "ShowModal.h"
#include "frmComp.h"
#include "frmGreeting.h"

#include <QFileInfo>

namespace {

// A new database is open while the company details are offered, so that they go into it.
bool createAndWelcome(QWidget* parent, const QString& path, bool welcome)
{
    if (!CreateNewDatabase(path) || !OpenAsAppDatabase(path))
        return false;
    if (welcome) {
        frmGreeting greeting(parent);
        ShowModal(greeting);
    }
    if (AskQuestion(QStringLiteral("Would you like to fill in Your Company Information?"))) {
        frmComp company(parent);
        ShowModal(company);
    }
    return true;
}

} // namespace

QString LocateAndOpenDatabase(QWidget* parent)
{
    QString path;
    QString answer;
    bool welcome = !DatabaseLocationKnown();
    if (welcome) {
        path = ChooseInstallPath(parent);
        if (path.isEmpty())
            return QString();
        RememberDatabasePath(path);
        answer = QStringLiteral("NEW");
    } else if (const QString server = RememberedServer(); !server.isEmpty()) {
        // A server that cannot be reached leaves the choice of another location.
        if (ConnectAsAppDatabase(parent, server))
            return AppDatabase().Name();
    } else {
        path = RememberedDatabasePath();
    }
    for (;;) {
        if (answer == QLatin1String("SERVER")) {
            if (ConnectAsAppDatabase(parent, path))
                return AppDatabase().Name();
        } else if (QFileInfo::exists(path)) {
            if (OpenAsAppDatabase(path))
                return path;
        } else if (answer == QLatin1String("NEW")) {
            if (createAndWelcome(parent, path, welcome))
                continue;
        } else if (!AskQuestion(NotFoundQuestion(path))) {
            continue;
        }
        const DatabaseChoice choice = ShowDatabaseDialog(parent, QString());
        if (choice.answer == QLatin1String("CANCEL"))
            return QString();
        path = choice.path;
        answer = choice.answer;
        welcome = false;
    }
}
