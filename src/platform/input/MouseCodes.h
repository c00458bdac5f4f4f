#pragma once

#include <Qt>

// Qt's mouse buttons and modifiers as the classic Button and Shift codes that the
// mouse handlers receive (the bits of HotSpot::Button and HotSpot::Shift).
namespace MouseCodes {

int button(Qt::MouseButton button);
int buttons(Qt::MouseButtons buttons);
int shift(Qt::KeyboardModifiers modifiers);

} // namespace MouseCodes
