#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

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
// A paragraph is laid out as a whole, so its length bounds the longest
// pause of the layout (a marksheet line is 69 characters).
constexpr int MaxParagraphLength = 20000;
// What the layout needs per format: each distinct font (family) costs a
// look-up in the system's font configuration, each distinct size and style
// of it a font of its own, and each run of one format in a paragraph a call
// of the text shaper. A marksheet has 3 families, 4 formats and some 60 runs.
constexpr int MaxFonts = 100;
constexpr int MaxCharFormats = 200;
constexpr int MaxFormatRuns = 50000;

// Told how far a long read or print has come, in thousandths; returns false
// to cancel it. A cancelled call returns false with an empty *error.
using Progress = std::function<bool(int permille)>;
// Where each stage of a read and of a print ends in its progress, in
// thousandths: about the share of the time it takes on the largest reports.
// A read parses the bytes, then fills the document; a print copies the
// document, loads its fonts, lays the copy out, then prints the pages.
constexpr int ReadParseEnd = 250;
constexpr int PrintCopyEnd = 50;
constexpr int PrintFontsEnd = 100;
constexpr int PrintLayoutEnd = 400;

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
// Runs of the same look are joined, whatever the file said.
// A read cancelled through the progress may leave part of the text in the
// document: a caller that can cancel reads into a document of its own.
bool read(const QByteArray& rtf, QTextDocument* doc, QString* error, const Progress& progress = {});

// read() on the content of a file; the message names the file.
bool load(const QString& fileName, QTextDocument* doc, QString* error, const Progress& progress = {});

// Prints the document on the printer with the job title, as
// QTextDocument::print prints a document that is not paginated (as the
// report windows' are not): a copy laid out on pages of the printer's size
// with 2 cm margins and the page number at the foot of each page. Returns
// false and sets *error when the printer is not usable or the print failed.
// A print cancelled through the progress is aborted: a PDF file is not
// written, a printer's job is dropped.
bool print(const QTextDocument& doc, QPrinter* printer, const QString& jobTitle, QString* error,
           const Progress& progress = {});

} // namespace Rtf
