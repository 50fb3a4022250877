// The production side of the platform seam: QMessageBox, QFileDialog,
// QDesktopServices, QCoreApplication and QScreen.
#pragma once

#include "ui/common/platform.h"

namespace velmora::ui {

class QtPlatform final : public Platform {
public:
    MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) override;
    QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                            const QString& filter, const QString& defaultSuffix) override;
    void openUrl(const QUrl& url) override;
    void endProgram() override;
    QRect screenGeometry() const override;
};

}  // namespace velmora::ui
