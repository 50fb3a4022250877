// Every window as a screen reader finds it through Qt's accessibility
// interface (what AT-SPI serves on Linux): each control that takes the focus
// has a name, each label reads out exactly the text it shows, frames and
// buttons read their captions, text boxes the caption of their slot, and
// pictures what they show.
//
// The interfaces are queried directly. Qt 6.4's offscreen platform keeps
// accessibility inactive whatever QAccessible::setActive says, so change
// events cannot be watched here; queries need no activation.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <memory>
#include <set>

#include "analysis/torsion.h"
#include "core/formula_pictures.h"
#include "core/properties.h"
#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/support/fake_platform.h"
#include "tests/ui/support/recording_navigator.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/torsion_text.h"
#include "ui/details/details_window.h"
#include "ui/formula/form3.h"
#include "ui/selection/form1.h"
#include "ui/shell/form4.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

QString Describe(const QAccessibleInterface& node) {
    const QObject* object = node.object();
    const QString name = object ? object->objectName() : QString();
    return name.isEmpty() && object ? QString::fromLatin1(object->metaObject()->className()) : name;
}

// The label that announces `box`, if any.
const QLabel* BuddyOf(const QWidget* box) {
    const QWidget* parent = box->parentWidget();
    if (!parent) return nullptr;
    for (const QLabel* label : parent->findChildren<const QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == box) return label;
    return nullptr;
}

// What a screen reader would miss or misread in the visible part of the tree
// below `node`, one line per fault. `checked` counts the nodes looked at.
void CollectFaults(QAccessibleInterface* node, QStringList& faults, int& checked) {
    if (!node || node->state().invisible) return;
    ++checked;
    const QString name = node->text(QAccessible::Name);
    const QString what = Describe(*node);
    const auto fault = [&](const QString& problem) { faults << what + QStringLiteral(": ") + problem; };
    auto* widget = qobject_cast<QWidget*>(node->object());

    if (node->state().focusable && name.trimmed().isEmpty())
        fault(QStringLiteral("takes the focus but has no name"));

    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (!label->pixmap().isNull()) {
            if (name.trimmed().isEmpty()) fault(QStringLiteral("a picture without a name"));
        } else if (!label->accessibleName().isEmpty()) {
            fault(QStringLiteral("a fixed name \"%1\" hides its text").arg(label->accessibleName()));
        } else if (!label->text().isEmpty() && name != label->text()) {
            // A label without text shows nothing; Qt then names it after its
            // frame, which misleads no one.
            fault(QStringLiteral("reads \"%1\" but shows \"%2\"").arg(name, label->text()));
        }
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget); frame && !frame->title().isEmpty()) {
        if (name != frame->title())
            fault(QStringLiteral("reads \"%1\", caption \"%2\"").arg(name, frame->title()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (name != button->text())
            fault(QStringLiteral("reads \"%1\", caption \"%2\"").arg(name, button->text()));
    } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        if (const QLabel* caption = BuddyOf(box); caption && name != caption->text())
            fault(QStringLiteral("reads \"%1\", its caption is \"%2\"").arg(name, caption->text()));
    }

    for (int i = 0; i < node->childCount(); ++i) CollectFaults(node->child(i), faults, checked);
}

struct Walk {
    QStringList faults;
    int checked = 0;
};

Walk WalkWindow(QWidget* window) {
    Walk walk;
    CollectFaults(QAccessible::queryAccessibleInterface(window), walk.faults, walk.checked);
    return walk;
}

// Passes when the window's visible tree has no faults and is not trivially small.
#define VERIFY_ACCESSIBLE(window, minimumNodes)                                              \
    do {                                                                                     \
        const Walk walk = WalkWindow(window);                                                \
        QVERIFY2(walk.faults.isEmpty(), qPrintable(walk.faults.join(QLatin1Char('\n'))));    \
        QVERIFY2(walk.checked >= (minimumNodes), qPrintable(QString::number(walk.checked))); \
    } while (false)

QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString ShapeName(int shape) { return QString::fromUtf8(FindShape(shape)->japaneseName); }

}  // namespace

class TestAccessibleWindows : public QObject {
    Q_OBJECT

    Module1 module;
    FakePlatform platform;
    RecordingNavigator navigator;
    AppContext context{module, platform, navigator};

    template <typename Window>
    std::unique_ptr<Window> open() {
        auto window = std::make_unique<Window>(context);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) qFatal("window not shown");
        return window;
    }

private slots:
    void initTestCase() { PrepareUiTest(); }

    // The walk itself finds the faults it is there for.
    void walkReportsUnnamedControlsAndHiddenTexts() {
        QWidget window;
        auto* unnamed = new QLineEdit(&window);
        unnamed->setObjectName(QStringLiteral("unnamed"));
        auto* fixed = new QLabel(QStringLiteral("28"), &window);
        fixed->setObjectName(QStringLiteral("fixed"));
        fixed->setAccessibleName(QStringLiteral("A"));
        auto* picture = new QLabel(&window);
        picture->setObjectName(QStringLiteral("picture"));
        QPixmap pixmap(4, 4);
        pixmap.fill(Qt::black);
        picture->setPixmap(pixmap);
        auto* caption = new QLabel(QStringLiteral("h"), &window);
        auto* named = new QLineEdit(&window);
        named->setObjectName(QStringLiteral("named"));
        caption->setBuddy(named);
        named->setAccessibleName(QStringLiteral("other"));
        window.show();

        const Walk walk = WalkWindow(&window);
        QCOMPARE(walk.faults.size(), 4);
        for (const char* culprit : {"unnamed:", "fixed:", "picture:", "named:"}) {
            const auto blames = [culprit](const QString& fault) {
                return fault.startsWith(QLatin1String(culprit));
            };
            QVERIFY2(std::ranges::count_if(walk.faults, blames) == 1, qPrintable(walk.faults.join('\n')));
        }
    }

    void selectionWindow() {
        module.SelectedShape = kNoShape;
        auto form = open<Form1>();
        VERIFY_ACCESSIBLE(form.get(), 30);

        auto* grid = form->findChild<QGroupBox*>(QStringLiteral("Frame1"));
        QAccessibleInterface* gridNode = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(gridNode->state().focusable);
        QCOMPARE(gridNode->text(QAccessible::Name), QStringLiteral(" 断面形状の選択 "));
        QCOMPARE(gridNode->text(QAccessible::Description), QString());
        for (int shape = 0; shape < kShapeCount; ++shape) {
            for (const char* array : {"Image1_%1", "Image2_%1"})
                QCOMPARE(Name(form->findChild<QLabel*>(QString::fromLatin1(array).arg(shape))),
                         ShapeName(shape));
        }

        // The chosen shape is read out with the grid.
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(module.SelectedShape, ShapeType{5});
        QCOMPARE(gridNode->text(QAccessible::Description), ShapeName(5));
        QVERIFY(gridNode->state().focused);
        VERIFY_ACCESSIBLE(form.get(), 30);
    }

    // The text boxes are named by the caption of their slot, which changes
    // with the shape.
    void calculatorForEveryShape_data() {
        QTest::addColumn<int>("shape");
        for (int shape = 0; shape < kShapeCount; ++shape) QTest::addRow("%d", shape) << shape;
    }

    void calculatorForEveryShape() {
        QFETCH(int, shape);
        Calculator calc(shape);
        VERIFY_ACCESSIBLE(calc.form.get(), 25);

        QCOMPARE(Name(calc.get("img1")), ShapeName(shape));
        for (const InputSlot& input : FindShape(shape)->entered)
            QCOMPARE(Name(calc.get(QStringLiteral("txt%1").arg(input.slot))),
                     QString::fromUtf8(input.caption));
        for (const InputSlot& input : FindShape(shape)->derived)
            QCOMPARE(Name(calc.get(QStringLiteral("txt%1").arg(input.slot))),
                     QString::fromUtf8(input.caption));
        QVERIFY(!Name(calc.get<QComboBox>("cmb1")->lineEdit()).isEmpty());
    }

    // Results read as the numbers they show, first and second lines alike.
    void calculatorResults() {
        Calculator calc(16);
        for (const auto& [box, keys] : {std::pair{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}})
            calc.retype(box, keys);
        calc.tick("chk3");
        calc.click("cmd1");
        QCOMPARE(calc.secondLineShown(), QStringLiteral("vvvv"));
        VERIFY_ACCESSIBLE(calc.form.get(), 30);
        QCOMPARE(Name(calc.get("ansil")), QStringLiteral("329.3333"));
        QCOMPARE(Name(calc.get("unil")), calc.text("unil"));
        QCOMPARE(Name(calc.get("Frame3")), QStringLiteral(" 断面二次モーメント "));
        QCOMPARE(Name(calc.get("chk3")), QStringLiteral("\"t\"を用いる"));
        QCOMPARE(Name(calc.get("cmd1")), QStringLiteral("Ans"));

        // An edit clears the shown lines; the empty second line is still on show.
        calc.retype("txt1", "9");
        VERIFY_ACCESSIBLE(calc.form.get(), 30);
        QCOMPARE(Name(calc.get("ansal")), QStringLiteral("0"));

        // Another shape in the same slots: the names follow the new captions.
        calc.module.SelectedShape = 12;
        calc.reopen();
        QCOMPARE(Name(calc.get("txt1")), QStringLiteral("d1"));
        QCOMPARE(Name(calc.get("txt4")), QStringLiteral("t"));
    }

    // The details window: the display-unit list named by its caption, and
    // every cell of every row read as it is shown (the shape factors' empty
    // unit says so); where there is no section, its one line.
    void detailsWindow() {
        Calculator calc(24);
        for (const auto& [box, keys] :
             {std::pair{"txt1", "10"}, {"txt2", "100"}, {"txt3", "70"}, {"txt4", "10"}})
            calc.retype(box, keys);
        QTest::keyClick(calc.form->windowHandle(), Qt::Key_D, Qt::ControlModifier);
        DetailsWindow* details = calc.form->detailsWindow();
        QVERIFY(details && QTest::qWaitForWindowExposed(details));
        VERIFY_ACCESSIBLE(details, 100);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
            details->findChild<QComboBox*>(QStringLiteral("displayUnit")));
        // Its entry is its value; its caption labels it.
        QCOMPARE(list->text(QAccessible::Value), QStringLiteral("入力と同じ"));
        const auto labels = list->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("表示単位"));

        auto* table = details->findChild<QTableWidget*>(QStringLiteral("properties"));
        QAccessibleTableInterface* cells = QAccessible::queryAccessibleInterface(table)->tableInterface();
        QVERIFY(cells);
        // The torsion rows, once computed, are read like the others.
        const int rows = kPropertyCount + analysis::kTorsionPropertyCount;
        QCOMPARE(table->rowCount(), rows);
        QTRY_VERIFY_WITH_TIMEOUT(table->item(kPropertyCount, 2)->text() != QString::fromUtf8(kComputing),
                                 20000);
        QCOMPARE(cells->rowCount(), rows);
        QCOMPARE(cells->columnCount(), 4);
        int unnamedUnits = 0, noValues = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < cells->columnCount(); ++column) {
                const QString shown = table->item(row, column)->text();
                const QString read = cells->cellAt(row, column)->text(QAccessible::Name);
                if (shown.isEmpty() && column == 2) {
                    QCOMPARE(read, QStringLiteral("値なし"));
                    ++noValues;
                } else if (shown.isEmpty()) {
                    QCOMPARE(read, QStringLiteral("単位なし"));
                    ++unnamedUnits;
                } else {
                    QCOMPARE(read, shown);
                }
            }
        }
        QCOMPARE(unnamedUnits, 3);  // fx, fy and the L's Zt, which has no value either
        QCOMPARE(noValues, 1);
        QCOMPARE(cells->cellAt(rows - 1, 1)->text(QAccessible::Name), QStringLiteral("Zt"));

        // The drawing says where G and S are; its check box is named by its text.
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(
            details->findChild<QWidget*>(QStringLiteral("sectionPicture")));
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("断面の図"));
        const QString where = picture->text(QAccessible::Description);
        QVERIFY2(where.contains(QStringLiteral("図心 G")) &&
                     where.contains(QStringLiteral("せん断中心 S は G から x 方向 ")),
                 qPrintable(where));
        QCOMPARE(Name(details->findChild<QCheckBox*>(QStringLiteral("stressMap"))),
                 QStringLiteral("ねじりせん断応力を表示"));

        calc.retype("txt1", "200");  // a foot higher than the angle
        auto* line = details->findChild<QLabel*>(QStringLiteral("sectionError"));
        QVERIFY(line->isVisible());
        VERIFY_ACCESSIBLE(details, 5);
        QCOMPARE(Name(line), line->text());
    }

    void formulaViewerForEveryPicture() {
        std::set<int> seen;
        for (int shape = 0; shape < kShapeCount; ++shape) {
            for (const char* kind : {"a", "i", "z", "k"}) {
                const int picture = FormulaPictureIndex(shape, kind);
                if (picture < 0 || !seen.insert(picture).second) continue;
                module.SelectedShape = static_cast<ShapeType>(shape);
                module.FormulaKind = kind;
                Form3 viewer(context, nullptr);
                viewer.show();
                QVERIFY(QTest::qWaitForWindowExposed(&viewer));
                VERIFY_ACCESSIBLE(&viewer, 2);
                QAccessibleInterface* formula = QAccessible::queryAccessibleInterface(
                    viewer.findChild<QLabel*>(QStringLiteral("Image1")));
                QCOMPARE(formula->role(), QAccessible::Graphic);
                QVERIFY2(viewer.windowTitle().endsWith(formula->text(QAccessible::Name)),
                         qPrintable(viewer.windowTitle()));
                QVERIFY2(!formula->text(QAccessible::Description).isEmpty(),
                         qPrintable(QString::number(picture)));
            }
        }
        QCOMPARE(int(seen.size()), kFormulaPictureCount);
    }

    void informationWindow() {
        auto form = open<Form4>();
        VERIFY_ACCESSIBLE(form.get(), 10);
        QCOMPARE(Name(form->findChild<QLabel*>(QStringLiteral("Label8"))),
                 QStringLiteral(": https://velmora.example/"));
        QCOMPARE(Name(form->findChild<QLabel*>(QStringLiteral("Image1"))), QStringLiteral("velmora"));
    }
};

QTEST_MAIN(TestAccessibleWindows)
#include "test_accessible_windows.moc"
