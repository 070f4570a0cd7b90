#pragma once

#include <string>

// Shows one of the bitmap reader's messages: a modal "Error" box with an OK button, owned by
// the window that has the keyboard focus. The text is UTF-8.
void ShowErrorBox(const std::string& text);
