#include "PictureMenu.h"

#include "PictureButton.h"
#include "ViewDefinition.h"

#include <QVBoxLayout>

PictureMenu::PictureMenu(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("framePicMenu"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 4);
    layout->setSpacing(2);
    for (const ViewDefinition& view : ViewDefinition::All()) {
        auto* picture = new PictureButton(view.icon, this);
        picture->setObjectName(view.picture);
        picture->setToolTip(view.tooltip);
        picture->setMinimumSize(44, 44);
        layout->addWidget(picture);
        const QString kind = view.kind;
        const QString status = view.pictureStatus;
        connect(picture, &PictureButton::clicked, this, [this, kind] { emit viewChosen(kind); });
        connect(picture, &PictureButton::hovered, this,
                [this, status](bool inside) { emit statusText(inside ? status : QString()); });
        if (view.IsEntity()) {
            connect(picture, &PictureButton::doubleClicked, this,
                    [this, kind] { emit newRecordRequested(kind); });
        }
    }
    layout->addStretch();
}
