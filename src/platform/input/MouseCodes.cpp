#include "platform/input/MouseCodes.h"

#include "platform/input/HotSpot.h"

int MouseCodes::button(Qt::MouseButton button)
{
    return buttons(button);
}

int MouseCodes::buttons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? HotSpot::vbLeftButton : 0)
         | (buttons & Qt::RightButton ? HotSpot::vbRightButton : 0)
         | (buttons & Qt::MiddleButton ? HotSpot::vbMiddleButton : 0);
}

int MouseCodes::shift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? HotSpot::vbShiftMask : 0)
         | (modifiers & Qt::ControlModifier ? HotSpot::vbCtrlMask : 0)
         | (modifiers & Qt::AltModifier ? HotSpot::vbAltMask : 0);
}
