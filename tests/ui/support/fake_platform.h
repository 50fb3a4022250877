// A scripted stand-in for the desktop: records every message box, URL and
// ending, and answers message boxes from a queue the test fills.
#pragma once

#include <QList>
#include <QRect>
#include <QUrl>
#include <deque>

#include "ui/common/platform.h"

namespace velmora::ui::testing {

class FakePlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) override;
    void openUrl(const QUrl& url) override { urls.append(url); }
    void endProgram() override { ++endCount; }
    QRect screenGeometry() const override { return screen; }

    // Answers for the next boxes, in order; a box with no scripted answer gets
    // OK, Cancel or No (as if closed).
    void answer(MessageAnswer a) { answers.push_back(a); }

    QList<MessageRequest> messages;
    QList<QWidget*> messageParents;
    QList<QUrl> urls;
    int endCount = 0;
    QRect screen{0, 0, 1920, 1080};
    std::deque<MessageAnswer> answers;
};

}  // namespace velmora::ui::testing
