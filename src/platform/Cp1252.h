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

} // namespace Cp1252
