// battle/message_pump.h: letting the windows answer during a long operation.
#pragma once

namespace battle {

// Hands every message already waiting to its window. False when a quit request was met; it is
// posted again so that the main loop still ends.
bool PumpPendingMessages();

}  // namespace battle
