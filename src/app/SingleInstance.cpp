#include "SingleInstance.h"

#include <QLockFile>
#include <QStandardPaths>
#include <memory>

namespace {

std::unique_ptr<QLockFile>& held()
{
    static std::unique_ptr<QLockFile> lock;
    return lock;
}

} // namespace

bool AcquireSingleInstanceLock()
{
    if (held())
        return true;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    auto lock = std::make_unique<QLockFile>(folder + QStringLiteral("/velmora.lock"));
    // Only a lock whose process has ended is stale, however long an instance runs.
    lock->setStaleLockTime(0);
    if (!lock->tryLock())
        return false;
    held() = std::move(lock);
    return true;
}

void ReleaseSingleInstanceLock()
{
    held().reset();
}
