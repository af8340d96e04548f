#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>

// What the RTF reader and writer agree on: sizes, font classes, alignments.
namespace RtfFormat {

// RTF's default font size: 12 pt in half-points.
constexpr int DefaultHalfPoints = 24;

// Font sizes are kept between 1 pt and 1638 pt (RTF's 16-bit half-points).
int clampHalfPoints(qint64 halfPoints);

// The font table's class word ("froman", "fmodern", "fswiss" or "fnil") of a
// family, from the style hint or else from the family's well-known name.
QByteArray familyClass(const QString& family, QFont::StyleHint hint);
// The style hint of a class word, so that a missing family falls back to a
// font of the same kind; QFont::AnyStyle for others.
QFont::StyleHint styleHintOf(const QByteArray& classWord);

// False for the characters a document keeps for its own structure (frame
// marks, the object mark, paragraph separators, other controls than tab),
// which neither belong in a file nor may come in from one.
bool isTextCharacter(char16_t ch);

// "ql", "qc", "qr" or "qj".
const char* alignmentWord(Qt::Alignment alignment);

} // namespace RtfFormat
