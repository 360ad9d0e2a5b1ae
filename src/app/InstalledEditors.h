#pragma once

class frmMain;

// Connects the main window to the record editors that exist, so that its menus, toolbar,
// pop-up menu and double-click open them.
void InstallEditors(frmMain& window);
