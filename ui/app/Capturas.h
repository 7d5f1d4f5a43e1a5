#pragma once

namespace ui {

// With FCONT_CAPTURAS naming a folder, the program saves a picture of every window the first
// time it shows, and steps once through the main window's pages by its tree menu, so a
// script under a virtual screen can show a person what the user would see.
void IniciaCapturas();

} // namespace ui
