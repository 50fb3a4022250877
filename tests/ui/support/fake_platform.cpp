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

QString FakePlatform::askSaveFileName(QWidget*, const QString& title, const QString& suggestedPath,
                                      const QString& filter, const QString& defaultSuffix) {
    saveRequests.append({title, suggestedPath, filter, defaultSuffix});
    if (saveNames.empty()) return {};
    QString name = saveNames.front();
    saveNames.pop_front();
    return name;
}

}  // namespace velmora::ui::testing
