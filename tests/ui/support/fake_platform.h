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
    // Records the request and answers with the next scripted file name, or
    // as a cancelled dialog ("") when none is left.
    QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                            const QString& filter, const QString& defaultSuffix) override;
    void openUrl(const QUrl& url) override { urls.append(url); }
    void endProgram() override { ++endCount; }
    QRect screenGeometry() const override { return screen; }

    // Answers for the next boxes, in order; a box with no scripted answer gets
    // OK, Cancel or No (as if closed).
    void answer(MessageAnswer a) { answers.push_back(a); }

    struct SaveRequest {
        QString title;
        QString suggestedPath;
        QString filter;
        QString defaultSuffix;
    };

    QList<MessageRequest> messages;
    QList<QWidget*> messageParents;
    QList<SaveRequest> saveRequests;
    std::deque<QString> saveNames;
    QList<QUrl> urls;
    int endCount = 0;
    QRect screen{0, 0, 1920, 1080};
    std::deque<MessageAnswer> answers;
};

}  // namespace velmora::ui::testing
