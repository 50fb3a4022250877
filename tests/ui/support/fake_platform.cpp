#include "tests/ui/support/fake_platform.h"

namespace velmora::ui::testing {

MessageAnswer FakePlatform::showMessage(QWidget* parent, const MessageRequest& request) {
    messages.append(request);
    messageParents.append(parent);
    if (!answers.empty()) {
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (request.buttons) {
        case MessageButtons::OkCancel: return MessageAnswer::Cancel;
        case MessageButtons::YesNo: return MessageAnswer::No;
        case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

}  // namespace velmora::ui::testing
