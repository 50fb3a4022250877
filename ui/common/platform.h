// The one seam between the windows and the desktop: message boxes, the file
// name of a save, opening a URL, ending the program and the screen size. Production uses QtPlatform;
// tests use a scripted fake.
#pragma once

#include <QRect>
#include <QString>
#include <QUrl>
#include <string_view>

#include "core/messages.h"
#include "ui/common/text.h"

class QWidget;

namespace velmora::ui {

enum class MessageIcon { Information, Question, Exclamation };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const MessageRequest&) const = default;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows a modal message box over `parent` and returns the button pressed.
    // Closing the box counts as Cancel (OK/Cancel), No (Yes/No) or OK.
    virtual MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) = 0;

    // Asks for the name of a file to write, starting from `suggestedPath`, with
    // the dialog's own question before an existing file is replaced. `filter`
    // reads "PDF (*.pdf)"; a name typed without the suffix gets `defaultSuffix`.
    // An empty text when the user cancels.
    virtual QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                                    const QString& filter, const QString& defaultSuffix) = 0;

    // Hands a mailto: or web address to the desktop's default handler. Failures
    // are not reported.
    virtual void openUrl(const QUrl& url) = 0;

    // Ends the program at once with exit status 0.
    virtual void endProgram() = 0;

    // The part of the screen windows are centred on, in logical pixels.
    virtual QRect screenGeometry() const = 0;
};

// Shows one of the program's messages: every box bears the title "利用ナビ".
inline MessageAnswer ShowMessage(Platform& platform, QWidget* parent, std::string_view text, MessageIcon icon,
                                 MessageButtons buttons = MessageButtons::Ok) {
    return platform.showMessage(parent, {ToQString(text), ToQString(kMessageTitle), icon, buttons});
}

}  // namespace velmora::ui
