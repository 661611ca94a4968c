// Small routines on one window given by its handle. On handle 0 the message
// routines do nothing and the read routines return an empty text.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace desktop {

using platform::Hwnd;

void ShowWin(Hwnd window);
void HideWin(Hwnd window);
void CloseWin(Hwnd window);  // posts WM_CLOSE: does not wait
void SetText(Hwnd window, std::string_view text);
void ClickWin(Hwnd window);    // mouse down and up, sent
void PressSpace(Hwnd window);  // space key down and up, sent
// Keep the program's own window above all others, or stop doing so; neither
// moves nor resizes it.
void SetAlwaysAbove(Hwnd own_window);
void ClearAlwaysAbove(Hwnd own_window);
// Lets the user drag the program's window from anywhere: call on mouse down.
void DragForm(Hwnd own_window);

// The text of an edit, rich-text or static window of another program.
std::string GetText(Hwnd window);
// The caption of a window.
std::string GetCaption(Hwnd window);
// The text of a list box's first entry.
std::string GetListText(Hwnd list);

}  // namespace desktop
