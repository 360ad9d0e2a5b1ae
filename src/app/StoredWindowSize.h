#pragma once

#include <QString>
#include <optional>

// The main window's size in the settings store, in twips ("MainWindow"/"Height", "Width").
namespace StoredWindowSize {

// A stored value that is a whole number in 16 bits; anything else is ignored.
std::optional<int> Read(const QString& key);
// Written in the number's default text form: " 7200" for 7200.
void Write(int heightTwips, int widthTwips);

} // namespace StoredWindowSize
