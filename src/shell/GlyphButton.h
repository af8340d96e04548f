#pragma once

#include <QPushButton>

// A push button that shows a drawn glyph: the play, stop, eject and help
// buttons of the screens, and a small eraser for clearing; the practice
// screens' restart, record and key-legend buttons and their right/wrong
// tick and cross.
class GlyphButton : public QPushButton
{
    Q_OBJECT
public:
    enum class Glyph { Play, Stop, Eject, Help, Clear, Rewind, Record, Navigate, Tick, Cross };

    GlyphButton(QWidget* parent, const QString& name, Glyph glyph, const QString& caption = QString());

    Glyph glyph() const { return m_glyph; }

    // The glyph drawn at a size (side in pixels), in its own colours.
    static QPixmap draw(Glyph glyph, int side);
    // The glyph's name ("Play"), the accessible name of a button without caption.
    static QString glyphName(Glyph glyph);

private:
    Glyph m_glyph;
};
