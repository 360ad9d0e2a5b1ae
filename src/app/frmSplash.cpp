#include "frmSplash.h"

#include "Artwork.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      Frame1(new QFrame(this)),
      Image2(new QLabel(Frame1)),
      Timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Image2->setPixmap(VelmoraPicture(QSize(480, 200)));
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(Image2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Frame1);
    // The picture covers the frame, so clicks on either close the window.
    Frame1->installEventFilter(this);
    Image2->installEventFilter(this);
    Timer1->setInterval(1500);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &QDialog::accept);
    Timer1->start();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
