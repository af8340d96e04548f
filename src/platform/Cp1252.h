#pragma once

#include <QByteArray>
#include <QString>

// The Windows-1252 code page, where bytes meet files (ini files, RTF escapes).
namespace Cp1252 {

// The character of one byte. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// number, so that every byte survives a round trip.
QChar toUnicode(uchar byte);
// The byte of a character; false when the code page has no such character.
bool fromUnicode(QChar ch, uchar* byte);

QString decode(const QByteArray& bytes);
// Characters the code page lacks become "?".
QByteArray encode(const QString& text);
// True when every character of the text has a byte in the code page.
bool canEncode(const QString& text);

// The text of a file the program keeps in this code page. Other editors may
// have saved it with a byte-order mark: after the UTF-8 mark the rest is read
// as UTF-8 (as this code page when it is no valid UTF-8), after a UTF-16 mark
// (either byte order) as UTF-16. The mark is not part of the text.
struct FileText {
    QString text;
    bool otherEncoding = false; // read as UTF-8 or UTF-16
    QString error;              // set when the text cannot be read (damaged UTF-16)
};
FileText decodeFile(const QByteArray& bytes);
// True when the bytes begin as decodeFile() takes for a byte-order mark.
// Text of this code page can begin so ("ï»¿", "ÿþ", "þÿ"): a writer puts a
// line end before such a text, which its reader takes for a blank line.
bool beginsWithMark(const QByteArray& bytes);

} // namespace Cp1252
