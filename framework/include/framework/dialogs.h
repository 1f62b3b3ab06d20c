// Modal message box and the alert sound.
#pragma once

#include <string>

namespace fw {

// Shows a modal box with the text and one OK button; returns once it is dismissed.
void MsgBox(const std::string& text);
// Plays the alert sound; returns at once.
void Beep();

}  // namespace fw
