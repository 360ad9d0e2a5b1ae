#include "CaptureFormPicture.h"

#include "Messages.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QWidget>

namespace {

// The printed picture is 15 twips a pixel; it has to fit the page's width inside the margins
// and the room above the table of values.
constexpr QSize LargestPicture(720, 384);

} // namespace

QString ChartPicturePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/chartpic.bmp");
}

bool CaptureFormPicture(QWidget& window)
{
    const QSize shown = window.size();
    const QSize size = shown.boundedTo(LargestPicture) == shown
                           ? shown
                           : shown.scaled(LargestPicture, Qt::KeepAspectRatio);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.scale(qreal(size.width()) / shown.width(), qreal(size.height()) / shown.height());
        window.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    const QString path = ChartPicturePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (picture.save(path, "BMP"))
        return true;
    ShowAttention(QStringLiteral("The chart picture could not be saved as ") +
                  QDir::toNativeSeparators(path) + QStringLiteral("."));
    return false;
}
