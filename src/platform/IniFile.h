#pragma once

#include <QString>
#include <QStringList>

#include <functional>

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
// Files are Windows-1252 text with CRLF line ends.
//
// The details, as the Windows profile functions do them where they apply:
// - Reading accepts CR LF, LF or a lone CR as line end. A file larger than
//   kMaxFileSize, or that is not a regular file, is not read (readFailed()).
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
    void deleteKey(const QString& section, const QString& key);
    void eraseSection(const QString& section);

    // Writes the whole file atomically. Returns false (errorString() says why)
    // when it could not be written; the previous file is then left as it was.
    bool save();

    // The text written for a time value (also used by tests).
    static QString formatTime(double days);

    // Test seam: called after the new file has been written and before it
    // replaces the old one; returning false abandons the save there, as a
    // crash at that moment would.
    static void setBeforeReplaceHook(std::function<bool()> hook);

private:
    struct Line {
        QString text;     // the line as read or as written (without line end)
        QString section;  // section header name, when this line opens a section
        QString key;      // key name, when this line is "key=value"
        QString value;    // the value as it stands in the file, trimmed
        bool header = false;
    };

    static Line parseLine(const QString& text);
    void read();

    int findSection(const QString& section) const;            // index of header line or -1
    int findKey(const QString& section, const QString& key) const; // line index or -1
    int sectionEnd(int headerIndex) const;                    // index after the last line of the section
    const Line* findValue(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);

    QString m_path;
    QList<Line> m_lines;
    bool m_exists = false;
    bool m_readFailed = false;
    bool m_endsWithNewline = true;
    QString m_error;
};
