// How a message type becomes a beep, a message box and a result. Kept apart
// from the platform call so every build can check the mapping.
#ifndef VEXL33_PLOT_MESSAGES_H
#define VEXL33_PLOT_MESSAGES_H

#include <optional>

#include "plot/gplot.h"

namespace vexl {

struct MessageStyle {
    long beep;               // MessageBeep argument
    unsigned long box_style; // MessageBoxA style
};

// The beep and box of a message type; nothing for an unknown type, which is
// neither sounded nor shown.
std::optional<MessageStyle> message_style(int type);

// The result of a message of this type after the user pressed the button
// with the given identifier.
MessageResult message_result(int type, int button_id);

} // namespace vexl

#endif // VEXL33_PLOT_MESSAGES_H
