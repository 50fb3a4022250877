// The start-up floor that bench/startup.py measures velmora against: a bare Qt
// Widgets program showing one fixed-size window with a few lines of Japanese
// and Latin text and a text box, so the font fallback a Japanese interface
// needs is part of the floor, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("velmora bench: bare Qt window"));
    window.setFixedSize(420, 160);

    auto* heading = new QLabel(QStringLiteral("断面形状を選んでください"), &window);
    heading->setGeometry(16, 12, 388, 24);
    auto* caption = new QLabel(QStringLiteral("幅 B (mm)"), &window);
    caption->setGeometry(16, 56, 96, 24);
    auto* box = new QLineEdit(QStringLiteral("100"), &window);
    box->setGeometry(120, 56, 120, 24);
    caption->setBuddy(box);
    auto* result = new QLabel(QStringLiteral("A = B × H = 2000 mm²"), &window);
    result->setGeometry(16, 104, 388, 24);

    window.show();
    return app.exec();
}
