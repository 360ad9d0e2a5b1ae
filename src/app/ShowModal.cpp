#include "ShowModal.h"

#include <QDialog>

namespace {

ModalHook& hook()
{
    static ModalHook current;
    return current;
}

} // namespace

void SetModalHook(ModalHook newHook)
{
    hook() = std::move(newHook);
}

int ShowModal(QDialog& dialog)
{
    return hook() ? hook()(dialog) : dialog.exec();
}
