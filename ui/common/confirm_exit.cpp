#include "core/messages.h"
#include "ui/common/context.h"
#include "ui/common/platform.h"

namespace velmora::ui {

void ConfirmExit(QWidget* parent, Platform& platform) {
    if (ShowMessage(platform, parent, kConfirmExitMessage, MessageIcon::Question, MessageButtons::YesNo) ==
        MessageAnswer::Yes)
        platform.endProgram();
}

}  // namespace velmora::ui
