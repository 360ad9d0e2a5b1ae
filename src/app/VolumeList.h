#pragma once

#include <QList>
#include <QStorageInfo>
#include <QString>

// The volumes the database location window offers: the mounted ones, root first. The root
// folder and the home folder's volume are always there, even where the system reports no
// mounted volume at all (a minimal root, a container).
struct Volume {
    QString text;
    QString rootPath;

    bool operator==(const Volume&) const = default;
};

QList<Volume> ListVolumes(const QList<QStorageInfo>& mounted, const QString& homeRoot);
// The root of the volume that holds a path; the root folder when the system does not say.
QString VolumeRootOf(const QString& path);
