#include "core/messages.h"
#include "ui/shell/context.h"
#include "ui/shell/platform.h"

namespace velmora::ui {

void ConfirmExit(QWidget* parent, Platform& platform) {
    const MessageRequest request{QString::fromUtf8(kConfirmExitMessage), QString::fromUtf8(kMessageTitle),
                                 MessageIcon::Question, MessageButtons::YesNo};
    if (platform.showMessage(parent, request) == MessageAnswer::Yes) platform.endProgram();
}

}  // namespace velmora::ui
