#pragma once

#include "BenchDatabases.h"

#include <Database.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

// A fresh copy of the small file for one insert run, removed afterwards.
class FreshCopy
{
public:
    FreshCopy() : m_dir(QStringLiteral(VELMORA_BENCH_DATA_DIR "/run-XXXXXX"))
    {
        const QString path = m_dir.filePath(QStringLiteral("copy.mdb"));
        if (!QFile::copy(BenchDatabases::Small(), path))
            throw std::runtime_error("cannot copy the small database");
        m_db = Database::Open(path);
    }

    Database& db() { return m_db; }

private:
    // Declared first so that the file is closed before its folder is removed.
    QTemporaryDir m_dir;
    Database m_db;
};
