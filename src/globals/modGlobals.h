#pragma once

#include <QtGlobal>

// Program-wide variables shared by the board and its dialogs.
namespace modGlobals {

// Playback speed code: 0 slow, 1 normal, 2 fast; anything else plays with no dark gap.
inline qint16 giSpeed{1};
// Table row of the score being named and shown, -1 at all other times.
inline qint16 giCurrentScorePos{-1};

} // namespace modGlobals
