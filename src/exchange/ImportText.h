#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The text of an import file: UTF-8 with or without a byte-order mark, or Windows-1252 when
// the bytes are not valid UTF-8 (files saved by older spreadsheets), in lines without their
// line ends (CR LF or LF).
class ImportText {
public:
    static QString Decode(const QByteArray& bytes);
    static QStringList Lines(const QString& text);
    // The file's lines; nothing when it cannot be read.
    static std::optional<QStringList> Read(const QString& path);
};
