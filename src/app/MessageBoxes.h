#pragma once

// Puts AskQuestion and ShowAttention on the screen as real message boxes.
void InstallMessageBoxes();
