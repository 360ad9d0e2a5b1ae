#include "ExportFile.h"

#include "DaoType.h"
#include "Database.h"
#include "FieldText.h"
#include "QueryDef.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// Rows are gathered into blocks of about this many bytes before they are written.
constexpr qsizetype kBlock = 1 << 16;
constexpr qint64 kRowsPerProgress = 1000;

QString shortDate(const QDateTime& value)
{
    const QDate date = value.date();
    QString text = QString::number(date.month()) + u'/' + QString::number(date.day()) + u'/' +
                   QString::number(date.year());
    if (value.time() != QTime(0, 0))
        text += value.time().toString(u" HH:mm:ss");
    return text;
}

} // namespace

bool ExportFile::UsableName(const QString& path)
{
    const QFileInfo file(path);
    if (path.trimmed().isEmpty() || !QDir::isAbsolutePath(path) || file.isDir())
        return false;
    const QFileInfo folder(file.absolutePath());
    return folder.isDir() && folder.isWritable();
}

QString ExportFile::Text(const Field& field)
{
    const QVariant value = FieldText(field);
    switch (field.Type()) {
    case dbDate:
        return shortDate(value.toDateTime());
    case dbBoolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

ExportFile::Outcome ExportFile::Write(Database& db, const QString& sql, const QString& path,
                                      QString& error, const Progress& progress)
{
    QSaveFile file(path);
    const auto failed = [&] {
        error = file.errorString();
        return Outcome::Failed;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    QueryDef query = db.CreateQueryDef();
    query.SetSQL(sql);
    const auto rs = query.OpenRecordset(dbOpenForwardOnly);
    const FieldList& fields = rs->Fields();
    QString block;
    const auto writeLine = [&](const auto& textOf) {
        for (int i = 0; i < fields.Count(); ++i) {
            if (i > 0)
                block += u'\t';
            block += textOf(fields[i]);
        }
        block += QStringLiteral("\r\n");
        if (block.size() < kBlock)
            return true;
        const bool written = file.write(block.toUtf8()) >= 0;
        block.clear();
        return written;
    };
    if (!rs->Eof() && !writeLine([](const Field& field) { return field.Name(); }))
        return failed();
    for (qint64 rows = 1; !rs->Eof(); ++rows) {
        if (!writeLine(&ExportFile::Text))
            return failed();
        rs->MoveNext();
        if (progress && rows % kRowsPerProgress == 0 && !progress(rows))
            return Outcome::Cancelled;
    }
    rs->Close();
    if (file.write(block.toUtf8()) < 0 || !file.commit())
        return failed();
    return Outcome::Written;
}
