#pragma once

#include "ShowModal.h"

#include <QtGlobal>
#include <functional>
#include <optional>

class QWidget;

// Opens a record editor modally: no identifier to add a record, an identifier greater than
// 0 to edit that record, 0 to open without a record.
using EditorWindow = std::function<void(QWidget* parent, std::optional<qint32> id)>;

// The opener of an editor window class with Init() and Init(id).
template <class Window>
EditorWindow ModalEditor()
{
    return [](QWidget* parent, std::optional<qint32> id) {
        Window window(parent);
        if (id)
            window.Init(*id);
        else
            window.Init();
        ShowModal(window);
    };
}
