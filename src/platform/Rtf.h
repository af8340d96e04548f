#pragma once

#include <QByteArray>
#include <QString>

class QPrinter;
class QTextDocument;

// Rich text (RTF) files of a QTextDocument: the marksheet the program writes,
// and what word processors write for such a text.
//
// What is kept: paragraphs with their alignment (left, centre, right,
// justified); character runs with font family, point size, bold, italic and
// underline; tabs and line breaks inside a paragraph; empty paragraphs with the
// font of their paragraph mark. Text is written in Windows-1252 with "\'hh"
// escapes for bytes above 0x7F and "\uN?" for characters the code page lacks.
// Colours, pictures, styles, headers, footers and page layout are not kept;
// the reader skips them, and reads table cells as tab-separated paragraphs.
namespace Rtf {

// Limits of the reader. Input past them is refused with a message; none of
// them is near what a marksheet or a letter-sized document needs.
constexpr qsizetype MaxInputBytes = 16 * 1024 * 1024;
constexpr int MaxGroupDepth = 100;
constexpr int MaxControlWordLength = 32;
constexpr qsizetype MaxTextLength = 1024 * 1024;   // characters, paragraph ends included
// What a document may become once shown: the time to build and lay it out
// grows with the paragraphs, and the layout of a window that does not wrap
// lines gives up on a document some million pixels tall. The height counts
// each line at 1.2 times its largest font size (a font's line height is
// about 1.15 times its size); a marksheet is some 40 paragraphs and 700 pt.
constexpr int MaxParagraphs = 20000;
constexpr qint64 MaxHeightPoints = 1000000;

// The document as RTF bytes.
QByteArray write(const QTextDocument& doc);

// Writes the document to the file as a whole or not at all (the old file, if
// any, is then left as it was). Returns false and sets *error (file name and
// reason) on failure.
bool save(const QTextDocument& doc, const QString& fileName, QString* error);

// Replaces the document's content with the rich text. Returns false and sets
// *error when the bytes are not readable RTF; the document is then left as it
// was. The input must begin with "{\rtf" and end the group it opens: text
// after that group is ignored, and input that ends before it (a truncated
// file) is refused rather than shown in part. Takes time linear in the input.
bool read(const QByteArray& rtf, QTextDocument* doc, QString* error);

// read() on the content of a file; the message names the file.
bool load(const QString& fileName, QTextDocument* doc, QString* error);

// Prints the document on the printer with the job title. Returns false and
// sets *error when the printer is not usable or the print failed.
bool print(const QTextDocument& doc, QPrinter* printer, const QString& jobTitle, QString* error);

} // namespace Rtf
