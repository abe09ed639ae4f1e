// battle/message_pump.cpp: the pump used between the shots of a salvo.
#include "battle/message_pump.h"

#include "platform/messages.h"

namespace battle {

bool PumpPendingMessages() {
    platform::Message message;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        if (message.message == platform::WM_QUIT) {
            platform::PostMessage(message.window, message.message, message.wParam, message.lParam);
            return false;
        }
        platform::DispatchMessage(&message);
    }
    return true;
}

}  // namespace battle
