// A platform that shows every message box for real (the program's own
// QMessageBox, modal, with its nested event loop) and answers it as a user
// does, with the answer the fake platform's queue holds. The fake platform
// keeps the record; ending the program and opening addresses stay fake.
#pragma once

#include <QStringList>

#include "tests/ui/support/fake_platform.h"
#include "ui/common/platform.h"
#include "ui/shell/qt_platform.h"

namespace velmora::ui::testing {

class Dice;

class RealMessageBoxes final : public Platform {
public:
    RealMessageBoxes(FakePlatform& record, Dice& dice) : record_(record), dice_(dice) {}

    MessageAnswer showMessage(QWidget* parent, const MessageRequest& request) override;
    QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                            const QString& filter, const QString& defaultSuffix) override {
        return record_.askSaveFileName(parent, title, suggestedPath, filter, defaultSuffix);
    }
    void openUrl(const QUrl& url) override { record_.openUrl(url); }
    void endProgram() override { record_.endProgram(); }
    QRect screenGeometry() const override { return record_.screenGeometry(); }

    // What went wrong with a box since the last look: taken by the caller.
    QStringList problems;

private:
    FakePlatform& record_;
    Dice& dice_;
    QtPlatform real_;
};

}  // namespace velmora::ui::testing
