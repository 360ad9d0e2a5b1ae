#pragma once

#include <functional>

class QDialog;

// Every window of the start-up and shell is shown through here. Tests replace the way a
// window is shown, to act in it as a user would and close it.
using ModalHook = std::function<int(QDialog& dialog)>;
void SetModalHook(ModalHook hook);

// Shows the window modally and returns its result (QDialog::Accepted or Rejected).
int ShowModal(QDialog& dialog);
