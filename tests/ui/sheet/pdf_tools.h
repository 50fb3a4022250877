// Reads a PDF back with poppler-utils, and answers the sheet's dialog as a
// user does.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace velmora::ui::testing {

class Calculator;

struct PdfReport {
    QString text;       // pdftotext, whitespace collapsed to single blanks
    QStringList lines;  // pdftotext, line by line
    QString info;       // pdfinfo
    QString fonts;      // pdffonts
    QString images;     // pdfimages -list
};

PdfReport ReadPdf(const QString& path);

// The rows of pdffonts (after its two heading lines), and of pdfimages -list.
QStringList TableRows(const QString& listing);

// What to type in the sheet's dialog; the tick "断面性能の詳細を含める" is
// pressed when its first state differs from `includeDetails`.
struct DialogAnswers {
    QString subject;
    QString member;
    QString author;
    bool includeDetails = false;
    bool accept = true;  // OK (Return) or Cancel (Escape)
};

// How the dialog stood when it showed.
struct DialogSeen {
    bool shown = false;
    QStringList fields;  // 件名, 部材, 作成者
    bool detailsTick = false;
    QString title;
};

// Arms a watcher that answers the next sheet dialog with `answers`, and notes
// in `seen` (when given, and still alive then) how it stood.
void AnswerSheetDialog(const DialogAnswers& answers, DialogSeen* seen = nullptr);

// Presses Ctrl+S in the calculator, answering the dialog; the platform's file
// question is answered with `path`.
void SaveWithKeys(Calculator& calc, const QString& path, const DialogAnswers& answers,
                  DialogSeen* seen = nullptr);

}  // namespace velmora::ui::testing
