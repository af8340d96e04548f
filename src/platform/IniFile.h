#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// An initialisation ("ini") file: "[Section]" lines open sections, "Key=Value"
// lines give values. Section and key names match regardless of letter case;
// a missing file, section or key gives the caller's default.
//
// One IniFile object is one group of reads or writes: the constructor reads the
// file once, the reads and writes work on the copy in memory, and save() writes
// the whole file at once and atomically (a new file is written and then put in
// place of the old one), so a crash or a full disk never leaves half a file.
// Lines the program does not understand (other sections, unknown keys,
// comments, even garbage) are kept untouched through a rewrite.
//
// Files are Windows-1252 text with CRLF line ends. A file another editor
// saved with a byte-order mark is read as UTF-8 or UTF-16 and written back
// in Windows-1252; when it holds characters Windows-1252 lacks, save()
// refuses, so that nothing in it is lost.
//
// The details, as the Windows profile functions do them where they apply:
// - Reading accepts CR LF, LF or a lone CR as line end. A file larger than
//   kMaxFileSize, or that is not a regular file, is not read (readFailed()).
//   save() never writes a file larger than that: what it writes, it reads.
// - "[Name]" (blanks around allowed, text after "]" ignored) opens a section;
//   "Key=Value" is a value, names and values trimmed of blanks and tabs. Lines
//   starting with ";" are comments; every other line is kept as it is and
//   means nothing. Lines before the first section belong to no section.
// - A repeated section or key: the first one counts, for reads and writes.
//   deleteKey() removes every copy of the key in that first section and
//   eraseSection() every section of that name, so nothing hidden resurfaces.
// - A written value replaces the first occurrence in place; a new key goes at
//   the end of its section (before its trailing blank lines), a new section
//   at the end of the file. A write under a name that could not be read back
//   (a key that is empty or holds "=", a section name holding "]") is ignored.
// - Text: one pair of matching surrounding quotes (" or ') is removed on
//   reading. A written text that starts or ends with a blank, or is itself
//   quoted, is put in double quotes so it reads back as written; CR and LF
//   in it become blanks; characters Windows-1252 lacks become "?".
// - Time: always written with "." as the decimal separator; a value that is
//   not finite is written as "0" (no time).
//
// Cost: memory is a small multiple of the file's size (the text is held
// once; runs of lines that mean nothing share one entry), and every call
// takes time at most linear in the file, so a damaged or hostile file of
// any size up to the limit is read, used and saved without trouble.
class IniFile
{
public:
    // Files larger than this are not read (16 MiB; a settings file is a few KB).
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    explicit IniFile(const QString& path);

    const QString& path() const { return m_path; }
    // The file existed when it was read (or has been saved since).
    bool exists() const { return m_exists; }
    // The file exists but could not be read (no permission, too large, a
    // folder...). Every read then gives its default and save() refuses, so
    // that nothing in the file is lost.
    bool readFailed() const { return m_readFailed; }
    // Text of the last failure (reading or saving), for the error box.
    const QString& errorString() const { return m_error; }

    QStringList sections() const;                      // in file order
    bool hasSections() const;
    QStringList keys(const QString& section) const;    // in file order
    bool sectionExists(const QString& section) const;
    bool valueExists(const QString& section, const QString& key) const;

    // Integer: decimal with optional "-", or "$"/"0x" hexadecimal; anything
    // else (also a number out of range) gives the default.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    // Flag: an integer, non-zero is true; the default when absent or not a number.
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    // Time: a count of days as a floating-point text ("." or "," accepted as the
    // decimal separator); empty or not a number gives the default.
    double readTime(const QString& section, const QString& key, double defaultValue) const;
    // Text: the value up to the end of the line.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) const;

    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);   // "1" / "0"
    void writeTime(const QString& section, const QString& key, double days); // 15 significant digits, "E-5" form for small values
    void writeString(const QString& section, const QString& key, const QString& value);
    // Writes the integer under every key of those named (letter case
    // ignored) that stands in a section: every copy of a repeated section or
    // key, in one pass over the file. A value that already reads as that
    // integer is left as written. Returns how many values changed.
    int writeIntegerEverywhere(const QStringList& keys, int value);
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    // Writes the whole file atomically. Returns false (errorString() says why)
    // when it could not be written; the previous file is then left as it was.
    bool save();

    // The text written for a time value (also used by tests).
    static QString formatTime(double days);

private:
    enum class Kind : quint8 { Other = 0, Header = 1, Key = 2 };
    // A section header, a key line, or a run of lines that mean nothing
    // (blank lines, comments, garbage) with the line ends between them. The
    // text lies in m_text; offsets are 32-bit, far above any file read.
    struct Line {
        quint32 start = 0;      // of the text in m_text
        quint32 length = 0;     // without the line end that follows
        quint32 nameOffset = 0; // section or key name, from start
        quint32 nameLength = 0;
        Kind kind = Kind::Other;
    };

    void read();
    void parse();
    // Appends a line's text to m_text and describes it.
    Line addLine(const QString& text);
    // Puts a new text in a line's place: over the old text when it is no
    // longer, else appended.
    void replaceLine(int index, const QString& text);
    QStringView textOf(const Line& line) const;
    QStringView nameOf(const Line& line) const;
    QStringView valueOf(const Line& line) const;   // of a key line, quotes kept

    int findSection(const QString& section) const;            // index of header line or -1
    int findKey(const QString& section, const QString& key) const; // line index or -1
    int sectionEnd(int headerIndex) const;                    // index after the last line of the section
    // Where a new key of the section goes: after its last line that is not
    // blank (a run ending in blank lines is split there).
    int insertionPoint(int headerIndex);
    void setValue(const QString& section, const QString& key, const QString& value);
    void lineRemoved(const Line& line);
    void compactIfWasteful();

    QString m_path;
    QString m_text;               // every line's text, as read and as written since
    qsizetype m_wasted = 0;       // characters of m_text no line uses any more
    QList<Line> m_lines;
    // First header of each section name (case-folded), rebuilt after lines
    // are inserted or removed.
    mutable QHash<QString, int> m_sectionIndex;
    mutable bool m_indexValid = false;
    bool m_exists = false;
    bool m_readFailed = false;
    bool m_endsWithNewline = true;
    QString m_unsavable;          // why save() must refuse although the file was read
    QString m_error;
};
