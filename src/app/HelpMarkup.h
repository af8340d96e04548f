#pragma once

#include <QList>
#include <QString>

#include <functional>

// The light markup of help topics and pop-ups (resources/help/README.md),
// turned into the HTML subset that QTextBrowser and QWhatsThis show. Every
// character of the source is escaped: only the tags made here reach the HTML,
// so a help file can never inject markup of its own.
namespace HelpMarkup {

// A link as written in the source: [[target]] or [[target|text]].
struct Link {
    QString target;
    QString text; // empty: the title of the target is shown
};

// The links written in one line, in order; unclosed (when given) tells
// whether a "[[" on the line has no "]]".
QList<Link> linksInLine(const QString& line, bool* unclosed = nullptr);

// Context numbers are written in decimal digits only, 0..2147483647.
bool parseNumber(const QString& text, int* number);
// Jump identifiers: a letter or "_", then letters, digits, "_" or "."; at most 64.
bool isJumpId(const QString& text);

// Finds a link's topic: its context number and title; false when unknown.
using Resolver = std::function<bool(const QString& target, int* number, QString* title)>;

// Paragraphs, "== " headings, "* " and "1. " lists, ``` fenced examples,
// and the inline forms below. Links become <a href="topic:N">; without a
// resolver (pop-ups) or for an unknown target only their text is shown.
QString blocksToHtml(const QString& source, const Resolver& resolve);
// **bold**, __italic__, `code` and links within one paragraph.
QString inlineToHtml(const QString& text, const Resolver& resolve);

} // namespace HelpMarkup
