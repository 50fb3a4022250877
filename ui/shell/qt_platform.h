// The production side of the platform seam: QMessageBox, QDesktopServices,
// QCoreApplication and QScreen.
#pragma once

#include "ui/common/platform.h"

namespace velmora::ui {

class QtPlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) override;
    void openUrl(const QUrl& url) override;
    void endProgram() override;
    QRect screenGeometry() const override;
};

}  // namespace velmora::ui
