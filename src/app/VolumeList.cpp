#include "VolumeList.h"

#include <QDir>
#include <algorithm>

QList<Volume> ListVolumes(const QList<QStorageInfo>& mounted, const QString& homeRoot)
{
    QList<Volume> list;
    const auto listed = [&list](const QString& root) {
        return std::any_of(list.begin(), list.end(),
                           [&root](const Volume& v) { return v.rootPath == root; });
    };
    for (const QStorageInfo& volume : mounted) {
        if (!volume.isValid() || !volume.isReady() || listed(volume.rootPath()))
            continue;
        const QString name = volume.displayName();
        list.append({name == volume.rootPath()
                         ? name
                         : QStringLiteral("%1  (%2)").arg(volume.rootPath(), name),
                     volume.rootPath()});
    }
    for (const QString& root : {QDir::rootPath(), homeRoot}) {
        if (!listed(root))
            list.append({root, root});
    }
    std::sort(list.begin(), list.end(), [](const Volume& a, const Volume& b) {
        const bool aRoot = a.rootPath == QDir::rootPath();
        const bool bRoot = b.rootPath == QDir::rootPath();
        return aRoot != bRoot ? aRoot : a.rootPath < b.rootPath;
    });
    return list;
}

QString VolumeRootOf(const QString& path)
{
    const QStorageInfo volume(path);
    return volume.isValid() && !volume.rootPath().isEmpty() ? volume.rootPath() : QDir::rootPath();
}
