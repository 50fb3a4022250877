#include "core/messages.h"
#include "ui/shell/context.h"
#include "ui/shell/platform.h"

namespace velmora::ui {

void ConfirmExit(QWidget* parent, Platform& platform) {
    if (ShowMessage(platform, parent, kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo) ==
        MessageAnswer::Yes)
        platform.endProgram();
}

}  // namespace velmora::ui
