// vexl_displayMsg: a message box where the platform has them and the user has
// not asked for the error stream (STDERR_OUTPUT), else one line on the error
// stream, so unattended runs never wait for a click.
#include "plot/messages.h"

#include <cstdio>

#include "core/c_boundary.h"
#include "support/platform.h"
#include "support/settings_lookup.h"

namespace vexl {

namespace {

// Button identifiers a message box reports.
constexpr int kIdOk = 1;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;

// MessageBeep and MessageBoxA values.
constexpr long kBeepDefault = 0;
constexpr long kBeepExclamation = 0x30;
constexpr unsigned long kInformationBox = 0x10040;      // information icon, foreground
constexpr unsigned long kErrorBox = 0x2010;             // stop icon, task-modal
constexpr unsigned long kOkCancelBox = 0x10021;         // OK/Cancel, question icon, foreground
constexpr unsigned long kAbortRetryIgnoreBox = 0x10042; // information icon, foreground

} // namespace

std::optional<MessageStyle> message_style(int type) {
    switch (type) {
        case MSG_INFORMATION:
            return MessageStyle{kBeepDefault, kInformationBox};
        case MSG_ERROR:
            return MessageStyle{kBeepExclamation, kErrorBox};
        case MSG_QUESTION_OK_CANCEL:
            return MessageStyle{kBeepDefault, kOkCancelBox};
        case MSG_QUESTION_ABORT_RETRY_IGNORE:
            return MessageStyle{kBeepDefault, kAbortRetryIgnoreBox};
        default:
            return std::nullopt;
    }
}

MessageResult message_result(int type, int button_id) {
    switch (type) {
        case MSG_QUESTION_OK_CANCEL:
            return button_id == kIdOk ? MSG_RESULT_NONE : MSG_RESULT_CANCEL;
        case MSG_QUESTION_ABORT_RETRY_IGNORE:
            if (button_id == kIdAbort)
                return MSG_RESULT_ABORT;
            return button_id == kIdRetry ? MSG_RESULT_RETRY : MSG_RESULT_IGNORE;
        default:
            return MSG_RESULT_NONE;
    }
}

} // namespace vexl

extern "C" VEXL_API MessageResult vexl_displayMsg(const char *text, const char *caption,
                                                  MessageType type) VEXL_TRY {
    if (text == nullptr)
        text = "";
    if (caption == nullptr)
        caption = "";
    char unused[vexl::kSettingBufferSize];
    const bool to_stream = vexl::lookup_setting("STDERR_OUTPUT", unused) != 0;
    if (!to_stream) {
        const std::optional<vexl::MessageStyle> style = vexl::message_style(type);
        if (!style)
            return MSG_RESULT_NONE;
        const std::optional<int> button =
            vexl::platform::message_box(text, caption, style->beep, style->box_style);
        if (button)
            return vexl::message_result(type, *button);
    }
    std::fprintf(stderr, "%s\n", text);
    return MSG_RESULT_NONE;
}
VEXL_CATCH_RETURN(MSG_RESULT_NONE)
