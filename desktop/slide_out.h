// Sliding one of the program's own windows off the screen, 300 twips (20
// pixels) a step, with the event loop running between steps so the window
// repaints and the program stays responsive; there is no wait between steps.
// Positions are the window's on the screen, in twips, 15 to a pixel.
//
// A window closed while it slides ends the slide at once.
#pragma once

#include "platform/types.h"

namespace desktop {

using platform::Hwnd;

// Down until the top edge is below 7200 twips (480 pixels, whatever the
// screen's height).
void SlideFormDown(Hwnd form);
// Up until the bottom edge is above the screen's top.
void SlideFormUp(Hwnd form);
// Left until the right edge is off the screen's left side.
void SlideFormLeft(Hwnd form);
// Right until the left edge is past the screen's width.
void SlideFormRight(Hwnd form);

}  // namespace desktop
