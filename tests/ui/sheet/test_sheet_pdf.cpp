// The calculation sheet as a user gets it: type, Ans, Ctrl+S (or the context
// menu), answer the dialog, and read the PDF back with poppler-utils. One
// shape per kind of sheet; every number on it must be the calculator's own.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <variant>

#include "analysis/torsion.h"
#include "core/properties.h"
#include "core/sheet_working.h"
#include "core/units.h"
#include "tests/ui/calculator/calculator_harness.h"
#include "tests/ui/sheet/pdf_tools.h"
#include "tests/ui/support/test_setup.h"
#include "ui/common/text.h"
#include "ui/sheet/sheet_content.h"
#include "ui/sheet/sheet_output.h"
#include "velmora/version.h"

using namespace velmora;
using namespace velmora::ui;
using namespace velmora::ui::testing;

namespace {

struct Entry {
    const char* box;
    const char* keys;
};
using Entries = QList<Entry>;

// The shape's thickness option box.
QString OptionBox(int shape) {
    switch (FindShape(shape)->option) {
        case ThicknessOption::Chk1: return QStringLiteral("chk1");
        case ThicknessOption::Chk2: return QStringLiteral("chk2");
        case ThicknessOption::Chk3: return QStringLiteral("chk3");
        case ThicknessOption::None: break;
    }
    return {};
}

// Types the dimensions, ticks the option if asked, and presses Ans.
void Enter(Calculator& calc, const Entries& entries, bool tick) {
    for (const Entry& e : entries) calc.retype(e.box, e.keys);
    if (tick) calc.tick(OptionBox(calc.module.SelectedShape));
    calc.click("cmd1");
}

InputTexts Texts(const Calculator& calc) {
    InputTexts texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts[static_cast<std::size_t>(slot - 1)] =
            calc.text(QStringLiteral("txt%1").arg(slot)).toStdString();
    return texts;
}

// The line as the sheet writes it, read back with blanks collapsed.
QString Written(const WorkingLine& line) {
    QString text = ToQString(line.result) + (line.thinWall ? QStringLiteral(" ≒ ") : QStringLiteral(" = ")) +
                   ToQString(line.symbols);
    if (!line.numbers.empty() && line.numbers != line.symbols)
        text += QStringLiteral(" = ") + ToQString(line.numbers);
    text += QStringLiteral(" = ") + ToQString(line.value);
    if (!line.unit.empty()) text += QLatin1Char(' ') + ToQString(line.unit);
    return text;
}

bool EveryFontEmbedded(const QString& fonts) {
    const QStringList rows = TableRows(fonts);
    if (rows.isEmpty()) return false;
    for (const QString& row : rows) {
        const QStringList cells = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cells.size() < 6 || cells[cells.size() - 5] != QStringLiteral("yes")) return false;
    }
    return true;
}

const QStringList kUnitPowers{QStringLiteral("²"), QStringLiteral("⁴"), QStringLiteral("³"),
                              QStringLiteral("²")};

}  // namespace

class TestSheetPdf : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        PrepareUiTest();
        QVERIFY(dir_.isValid());
    }

    // One sheet per kind: what it says, how it is made, one A4 page.
    void writesTheSheet_data() {
        QTest::addColumn<int>("shape");
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("details");
        QTest::addColumn<QString>("secondLineShown");
        QTest::newRow("single line: rectangle")
            << 0 << Entries{{"txt1", "12.5"}, {"txt2", "6"}} << false << false << "----";
        QTest::newRow("second modulus: semicircle")
            << 13 << Entries{{"txt1", "2"}} << false << false << "--v-";
        QTest::newRow("second modulus: triangle")
            << 6 << Entries{{"txt1", "9"}, {"txt2", "4"}} << false << false << "--v-";
        QTest::newRow("thin wall: box section")
            << 16 << Entries{{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}} << true << false
            << "vvvv";
        QTest::newRow("thin wall: circular tube")
            << 12 << Entries{{"txt1", "90"}, {"txt2", "100"}} << true << false << "vvvv";
        QTest::newRow("details: L-section, principal axes")
            << 24 << Entries{{"txt1", "2"}, {"txt2", "10"}, {"txt3", "6"}, {"txt4", "2"}} << false << true
            << "--v-";
        QTest::newRow("details: thin-wall I-section")
            << 17 << Entries{{"txt1", "80"}, {"txt2", "100"}, {"txt3", "45"}, {"txt4", "50"}} << true << true
            << "vvvv";
    }

    void writesTheSheet() {
        QFETCH(int, shape);
        QFETCH(Entries, entries);
        QFETCH(bool, tick);
        QFETCH(bool, details);
        QFETCH(QString, secondLineShown);

        Calculator calc(shape);
        Enter(calc, entries, tick);
        QCOMPARE(calc.secondLineShown(), secondLineShown);
        QVERIFY(calc.platform.messages.isEmpty());

        QTemporaryDir out(dir_.filePath(QStringLiteral("XXXXXX")));
        const QString path = out.filePath(QStringLiteral("sheet.pdf"));
        DialogSeen seen;
        const QStringList headings{"ＡＢ邸 新築工事", "2階床梁 G1", "設計 花子"};
        SaveWithKeys(calc, path, {headings[0], headings[1], headings[2], details}, &seen);
        QVERIFY(seen.shown);
        // Empty for the first sheet of the run, then the last sheet's (the same for every row).
        QVERIFY2(seen.fields == QStringList({"", "", ""}) || seen.fields == headings,
                 qPrintable(seen.fields.join('|')));
        QVERIFY(!seen.detailsTick);  // the details window is not open
        QVERIFY(calc.platform.messages.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files),
                 QStringList{"sheet.pdf"});  // no temporary file left

        const ShapeEntry& entry = *FindShape(shape);
        const QDate today = QDate::currentDate();
        QCOMPARE(calc.platform.saveRequests.size(), 1);
        QVERIFY(calc.platform.saveRequests[0].suggestedPath.endsWith(
            ToQString(entry.japaneseName) + QLatin1Char('_') + today.toString(Qt::ISODate) + ".pdf"));
        QCOMPARE(calc.platform.saveRequests[0].filter, QStringLiteral("PDF (*.pdf)"));

        const PdfReport pdf = ReadPdf(path);
        QVERIFY2(pdf.info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(pdf.info));
        QVERIFY2(pdf.info.contains(QStringLiteral("(A4)")), qPrintable(pdf.info));
        QVERIFY2(EveryFontEmbedded(pdf.fonts), qPrintable(pdf.fonts));
        QVERIFY2(TableRows(pdf.images).isEmpty(),
                 qPrintable(pdf.images));  // drawing and formulas are vectors

        // The heading lines.
        for (const QString& expected :
             {QStringLiteral("断面性能計算書"), today.toString(QStringLiteral("yyyy年M月d日")),
              ToQString(entry.japaneseName), QStringLiteral("ＡＢ邸 新築工事"), QStringLiteral("2階床梁 G1"),
              QStringLiteral("設計 花子"),
              QStringLiteral("%1 %2").arg(QLatin1String(kProgramName), QLatin1String(kVersion)),
              QStringLiteral("1 / 1")})
            QVERIFY2(pdf.text.contains(expected), qPrintable(expected));

        // The dimensions as entered, each on the line of its symbol.
        const InputTexts texts = Texts(calc);
        for (const InputSlot& input : entry.entered) {
            const QString row = ToQString(DimensionSymbol(input.caption)) + QLatin1Char(' ') +
                                ToQString(texts[static_cast<std::size_t>(input.slot - 1)]);
            QVERIFY2(pdf.text.contains(row), qPrintable(row));
        }

        // Every result on show in the calculator is on the sheet, as the end of a line of working.
        const QStringList answers = calc.answers();
        const QStringList second = calc.secondLine();
        for (int i = 0; i < 4; ++i) {
            const QString unit = i == 3 ? QStringLiteral("mm²") : QStringLiteral("mm") + kUnitPowers[i];
            const QString first = QStringLiteral("= %1 %2").arg(answers[i], unit);
            QVERIFY2(pdf.text.contains(first), qPrintable(first));
            if (secondLineShown[i] == QLatin1Char('v')) {
                const QString more = QStringLiteral("= %1 %2").arg(second[i], unit);
                QVERIFY2(pdf.text.contains(more), qPrintable(more));
            }
        }
        // And the whole of each substituted line.
        const std::vector<WorkingLine> working =
            SheetWorking(static_cast<ShapeType>(shape), texts, tick, "mm");
        QVERIFY(working.size() >= 4);
        for (const WorkingLine& line : working)
            QVERIFY2(pdf.text.contains(Written(line)), qPrintable(Written(line)));

        // The table of every property, or none.
        QCOMPARE(pdf.text.contains(QStringLiteral("断面性能一覧")), details);
        if (details) {
            const auto exact =
                std::get<SectionProperties>(ComputeProperties(static_cast<ShapeType>(shape), texts));
            int rows = 0;
            for (const PropertyInfo& info : AllProperties()) {
                const bool shown = !info.principal || exact.hasPrincipalAxes();
                QCOMPARE(pdf.text.contains(ToQString(info.japaneseName)), shown);
                if (!shown) continue;
                const QString value = ToQString(PropertyText(exact[info.property]));
                QVERIFY2(pdf.text.contains(QStringLiteral(" %1 ").arg(value)), qPrintable(value));
                ++rows;
            }
            QCOMPARE(rows, exact.hasPrincipalAxes() ? kPropertyCount : kPropertyCount - 5);

            // The torsion rows, each name with its value and unit, the line on
            // how they were obtained, and (the L and the I have inner corners)
            // no Zt but the reason.
            const auto torsion = std::get<analysis::TorsionResult>(
                analysis::ComputeTorsion(static_cast<ShapeType>(shape), texts));
            for (const analysis::TorsionPropertyInfo& info : analysis::AllTorsionProperties()) {
                QVERIFY2(pdf.text.contains(ToQString(info.japaneseName)), info.key.data());
                if (info.property == analysis::TorsionProperty::Zt && !torsion.Zt) continue;
                const QString row =
                    QStringLiteral("%1 %2 mm%3")
                        .arg(ToQString(info.symbol), ToQString(PropertyText(torsion.value(info.property))),
                             ToQString(UnitText("", info.lengthPower)));
                QVERIFY2(pdf.text.contains(row), qPrintable(row + QStringLiteral(" in ") + pdf.text));
            }
            QVERIFY(pdf.text.contains(QStringLiteral("J・xs・ys・Iw・Zt は")));
            QCOMPARE(pdf.text.contains(ToQString(analysis::kNoZtReason)), !torsion.Zt);
            // The drawing beside them marks G and S.
            QVERIFY(pdf.lines.contains(QStringLiteral("G")) || pdf.text.contains(QStringLiteral(" G ")));
            QVERIFY(pdf.text.contains(QStringLiteral("S：xs = ")));
        }
    }

    // The rectangle's torsion converges: nothing is noted. Computed to a
    // tolerance no solution reaches, J's row is marked, its footnote gives
    // the estimate, and the method line no longer vouches for it.
    void unsettledTorsionIsNoted() {
        Calculator calc(0);
        Enter(calc, {{"txt1", "300"}, {"txt2", "120"}}, false);
        CalculatorSnapshot snapshot;  // the calculator as the sheet's actions read it
        snapshot.shape = 0;
        snapshot.texts = Texts(calc);
        snapshot.unitSuffix = calc.module.UnitSuffix;
        for (int i = 0; i < 4; ++i) snapshot.firstLine[static_cast<std::size_t>(i)] = calc.answers()[i];
        const SheetRequest request{{}, {}, {}, true};
        const SheetContent checked = BuildSheet(snapshot, request, QDate(2026, 12, 9));
        QVERIFY(checked.details && !checked.details->torsionRows.isEmpty());
        QVERIFY(checked.details->torsionFootnotes.isEmpty());

        const QString path = dir_.filePath(QStringLiteral("unsettled.pdf"));
        QVERIFY(WriteSheetPdf(path, BuildSheet(snapshot, request, QDate(2026, 12, 9), 1e-15)).written);
        const QString text = ReadPdf(path).text;
        analysis::TorsionOptions options;
        options.tolerance = 1e-15;
        const analysis::TorsionResult r = analysis::ComputeTorsion(0, std::vector<double>{300, 120}, options);
        const QString unit = ToQString(UnitText(calc.module.UnitSuffix, 4));
        const QString row = QStringLiteral("ねじり定数 ※1 J %1 %2").arg(ToQString(PropertyText(r.J)), unit);
        QVERIFY2(text.contains(row), qPrintable(row + QStringLiteral(" in ") + text));
        // The footnote may wrap anywhere: compared without blanks.
        const QString note =
            QStringLiteral(
                "※1有限要素解が収束しきれていないため、この値は7桁目まで正しいとは限りません"
                "（推定誤差±%1%2、相対%3）")
                .arg(QString::number(r.errorJ, 'E', 1), unit, QString::number(r.errorJ / r.J, 'E', 1));
        QString compact = text;
        compact.remove(QLatin1Char(' '));
        QVERIFY2(compact.contains(note), qPrintable(note + QStringLiteral(" in ") + text));
        QVERIFY(compact.contains(
            QStringLiteral("注記した値を除き、誤差評価で表示の7桁が正しいことを確かめた値です。")));
    }

    // An edit after Ans clears the results on show: the sheet says so and
    // carries none of the old numbers.
    void staleResultsAreNotPrinted() {
        Calculator calc(0);
        Enter(calc, {{"txt1", "10"}, {"txt2", "6"}}, false);
        QCOMPARE(calc.answers().first(), QStringLiteral("60"));
        calc.retype("txt2", "7");
        const QString path = dir_.filePath(QStringLiteral("stale.pdf"));
        SaveWithKeys(calc, path, {});
        const PdfReport pdf = ReadPdf(path);
        QVERIFY(pdf.text.contains(QStringLiteral("Ans が押されていない")));
        QVERIFY(pdf.text.contains(QStringLiteral("b 7")));
        QVERIFY(!pdf.text.contains(QStringLiteral("60 mm²")));
        QVERIFY(!pdf.text.contains(QStringLiteral("70 mm²")));
        QVERIFY(!pdf.text.contains(QStringLiteral("A =")));

        // Ans again, and the sheet has its working back.
        calc.click("cmd1");
        SaveWithKeys(calc, path, {});
        const QString again = ReadPdf(path).text;
        QVERIFY2(again.contains(QStringLiteral("= 70 mm²")), qPrintable(again));
        QVERIFY(!again.contains(QStringLiteral("Ans が押されていない")));
    }

    // Dimensions that form no real section: the calculator still shows its
    // figures, but the sheet prints the drawing, the dimensions and the failed
    // condition, and no calculation.
    void notARealSectionIsNotCalculated() {
        Calculator calc(3);  // hollow square, inner side above the outer
        Enter(calc, {{"txt1", "５"}, {"txt2", "4"}}, false);
        QCOMPARE(calc.answers().first(), QStringLiteral("-9"));
        const QString path = dir_.filePath(QStringLiteral("unreal.pdf"));
        SaveWithKeys(calc, path, {});
        const PdfReport pdf = ReadPdf(path);
        QVERIFY2(pdf.text.contains(QStringLiteral("h1 は h2 より小さくして下さい")), qPrintable(pdf.text));
        QVERIFY(pdf.text.contains(QStringLiteral("５")));
        QVERIFY(!pdf.text.contains(QStringLiteral("-9 mm²")));
        QVERIFY(!pdf.text.contains(QStringLiteral("A =")));
        QVERIFY(!pdf.text.contains(QStringLiteral("Ans が押されていない")));

        // A real section again, and the working is back.
        Enter(calc, {{"txt1", "2"}}, false);
        SaveWithKeys(calc, path, {});
        QVERIFY(ReadPdf(path).text.contains(QStringLiteral("= 12 mm²")));
    }

    // The unit label is the calculator's: another unit relabels every line.
    void unitLabelFollowsTheList() {
        Calculator calc(2);  // square
        Enter(calc, {{"txt1", "3"}}, false);
        auto* list = calc.get<QComboBox>("cmb1");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);  // "cm (センチメートル)", chosen from the keyboard
        QCOMPARE(calc.units().first(), QStringLiteral("cm"));
        const QString path = dir_.filePath(QStringLiteral("unit.pdf"));
        SaveWithKeys(calc, path, {});
        const PdfReport pdf = ReadPdf(path);
        QVERIFY2(pdf.text.contains(QStringLiteral("= 9 cm²")), qPrintable(pdf.text));
        QVERIFY(pdf.text.contains(QStringLiteral("= 6.75 cm⁴")));
        QVERIFY(!pdf.text.contains(QStringLiteral("mm")));
    }

    // A unit text that is no list text gives the unit "none": the sheet writes
    // it as the calculator labels it, with its powers, in every line that has
    // a unit (the working, the table, the torsion rows, the drawing's offsets).
    void unitNoneIsWrittenAsTheCalculatorLabelsIt() {
        Calculator calc(2);  // square
        Enter(calc, {{"txt1", "3"}}, false);
        auto* list = calc.get<QComboBox>("cmb1");
        list->lineEdit()->selectAll();
        QTest::keyClicks(list->lineEdit(), QStringLiteral("metres"));
        emit list->activated(list->currentIndex());  // the choice in the list, its field reading "metres"
        QCOMPARE(calc.units(), QStringList(4, QStringLiteral("none")));
        QCOMPARE(calc.answers(), (QStringList{"9", "6.75", "4.5", "0.75"}));

        const QString path = dir_.filePath(QStringLiteral("none.pdf"));
        DialogAnswers answers;
        answers.includeDetails = true;
        SaveWithKeys(calc, path, answers);
        const PdfReport pdf = ReadPdf(path);
        // The working: A = a², I = a⁴/12, Z = a³/6, k² = a²/12.
        for (const QString& line : {QStringLiteral("= 9 none²"), QStringLiteral("= 6.75 none⁴"),
                                    QStringLiteral("= 4.5 none³"), QStringLiteral("= 0.75 none²")})
            QVERIFY2(pdf.text.contains(line), qPrintable(line + QStringLiteral(" in ") + pdf.text));
        // The table: e = 1.5, i = √0.75, and the shape factor has no unit.
        for (const QString& row : {QStringLiteral("A 9 none²"), QStringLiteral("e上 1.5 none"),
                                   QStringLiteral("Ix 6.75 none⁴"), QStringLiteral("Zx上 4.5 none³"),
                                   QStringLiteral("ix 0.8660254 none"), QStringLiteral("fx 1.5 ")})
            QVERIFY2(pdf.text.contains(row), qPrintable(row + QStringLiteral(" in ") + pdf.text));
        // Torsion: J a length⁴ and Iw a length⁶; the shear centre is at G.
        for (const char* row : {"J [0-9.]+ none⁴", "Iw [0-9.]+ none⁶", "Zt [0-9.]+ none³"})
            QVERIFY2(pdf.text.contains(QRegularExpression(QString::fromUtf8(row))), row);
        QVERIFY2(pdf.text.contains(QStringLiteral("S：xs = 0 none")), qPrintable(pdf.text));
        QVERIFY2(pdf.text.contains(QStringLiteral("断面性能一覧（単位 none）")), qPrintable(pdf.text));
        QVERIFY(!pdf.text.contains(QStringLiteral("mm")));
    }

    // Cancel in the dialog or in the file question writes nothing.
    void cancelWritesNothing() {
        Calculator calc(11);
        Enter(calc, {{"txt1", "5"}}, false);
        const QString path = dir_.filePath(QStringLiteral("cancelled.pdf"));
        DialogAnswers cancel;
        cancel.accept = false;
        SaveWithKeys(calc, path, cancel);
        QVERIFY(calc.platform.saveRequests.isEmpty());  // no file question after Cancel
        calc.platform.saveNames.clear();
        AnswerSheetDialog({});
        calc.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(calc.form.get()));
        QTest::keyClick(calc.form.get(), Qt::Key_S, Qt::ControlModifier);  // the file question cancelled
        QCOMPARE(calc.platform.saveRequests.size(), 1);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(calc.platform.messages.isEmpty());
    }

    // The results' context menu offers both; its save entry does what Ctrl+S does.
    void contextMenuEntries() {
        Calculator calc(14);  // ellipse
        Enter(calc, {{"txt1", "3"}, {"txt2", "2"}}, false);
        calc.platform.saveNames.push_back(dir_.filePath(QStringLiteral("menu.pdf")));
        DialogAnswers answers;
        answers.subject = QStringLiteral("メニューから");
        AnswerSheetDialog(answers);
        bool seenMenu = false;
        QStringList texts;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            QAction* save = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator()) continue;
                texts << action->text() + QLatin1Char('|') + action->shortcut().toString();
                if (action->text() == QStringLiteral("計算書をPDFで保存…")) save = action;
            }
            seenMenu = texts == QStringList{"結果をコピー|",
                                            "公式を表示|",
                                            "断面性能の詳細…|Ctrl+D",
                                            "計算書を印刷…|Ctrl+P",
                                            "計算書をPDFで保存…|Ctrl+S",
                                            "断面形状の選択に戻る|"};
            for (int guard = 0; save && menu->activeAction() != save && guard < 10; ++guard)
                QTest::keyClick(menu->windowHandle(), Qt::Key_Down);
            QTest::keyClick(menu->windowHandle(), Qt::Key_Return);
        });
        QTest::keyClick(calc.form.get(), Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY2(seenMenu, qPrintable(texts.join(QLatin1Char(';'))));
        QTRY_VERIFY(QFileInfo::exists(dir_.filePath(QStringLiteral("menu.pdf"))));
        QVERIFY(
            ReadPdf(dir_.filePath(QStringLiteral("menu.pdf"))).text.contains(QStringLiteral("メニューから")));
    }

    // With the details window open, the tick starts on and the table is in
    // the unit the details window shows.
    void detailsWindowSetsTheTable() {
        Calculator calc(23);  // T-section
        Enter(calc, {{"txt1", "20"}, {"txt2", "100"}, {"txt3", "80"}, {"txt4", "20"}}, false);
        QTest::keyClick(calc.form.get(), Qt::Key_D, Qt::ControlModifier);
        QWidget* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("DetailsWindow") && w->isVisible()) window = w;
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* unit = window->findChild<QComboBox*>(QStringLiteral("displayUnit"));
        unit->setFocus();
        QTest::keyClick(unit, Qt::Key_Down);  // "入力と同じ" → "mm"
        QTest::keyClick(unit, Qt::Key_Down);  // → "cm"
        QCOMPARE(unit->currentText(), QStringLiteral("cm"));

        const QString path = dir_.filePath(QStringLiteral("details.pdf"));
        DialogSeen seen;
        DialogAnswers answers;
        answers.includeDetails = true;
        SaveWithKeys(calc, path, answers, &seen);
        QVERIFY(seen.detailsTick);
        const PdfReport pdf = ReadPdf(path);
        QVERIFY2(pdf.text.contains(QStringLiteral("断面性能一覧（単位 cm）")), qPrintable(pdf.text));
        // A = 20 × 80 + 20 × 100 = 3600 mm² = 36 cm² in the table; the working stays in mm.
        QVERIFY(pdf.text.contains(QStringLiteral(" 36 cm²")));
        QVERIFY(pdf.text.contains(QStringLiteral("= 3600 mm²")));
        window->close();
    }

    // Ctrl+P: the dialog, then the print preview with the one page.
    void printPreview() {
        Calculator calc(16);
        Enter(calc, {{"txt1", "8"}, {"txt2", "10"}, {"txt3", "4"}, {"txt4", "6"}}, false);
        DialogSeen seen;
        AnswerSheetDialog({}, &seen);
        int pages = -1;
        QString title;
        auto* timer = new QTimer(this);
        timer->setInterval(0);
        connect(timer, &QTimer::timeout, [&, timer] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview) return;
            timer->stop();
            title = preview->windowTitle();
            pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            preview->reject();
        });
        timer->start();
        QTest::keyClick(calc.form.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(seen.shown);
        QCOMPARE(title, QStringLiteral("velmora: 計算書の印刷プレビュー"));
        QCOMPARE(pages, 1);
        QVERIFY(calc.platform.saveRequests.isEmpty());
    }
};

QTEST_MAIN(TestSheetPdf)
#include "test_sheet_pdf.moc"
