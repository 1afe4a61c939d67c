#pragma once
// Settings files in INI form (sections in square brackets, key=value lines,
// CP949 text), read and written one key at a time. Every operation opens
// the file, acts and closes it again: nothing is cached, so a value written
// anywhere is seen by the next read everywhere.
//
// Reading: section and key names match without regard to case and to the
// blanks around them (blank, tab, vertical tab, form feed: one rule for the
// names in the file and the names asked for); only the first of duplicated
// sections or keys counts; blanks around a value are dropped and one
// enclosing pair of matching double or single quotes is removed; a value is
// at most 2047 bytes, never cut inside a character. A file that an editor
// saved as UTF-8 is read as such (see TextFile::detect).
//
// Writing changes only the line of its key (or adds the key at the end of
// its section, or the section at the end of the file) and leaves every
// other byte as it was. A key keeps the spelling it has in the file. A file
// read as UTF-8 is stored in CP949 by its next write, unless it holds
// characters that CP949 cannot (then it stays UTF-8 rather than lose them).
// A failed write throws EFileError ("Unable to write to %s") and leaves the
// previous file intact.

#include "runtime/DateTime.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class IniProfile {
public:
    explicit IniProfile(const QString& fileName);

    QString FileName() const { return m_fileName; }

    // How much of a long value a read gives: at most MaxValueBytes, the rule
    // for every value, or all of it, for a value that is edited and written
    // back (one made longer by an older copy or by hand must not lose its
    // tail through a save that changed nothing).
    enum class Length { Limited, Whole };

    QString ReadString(const QString& section, const QString& key, const QString& def,
                       Length length = Length::Limited) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    // Decimal with an optional sign, or "0x"/"0X" and hexadecimal digits;
    // anything else, or a number outside the signed 32-bit range, gives def.
    qint32 ReadInteger(const QString& section, const QString& key, qint32 def) const;
    void WriteInteger(const QString& section, const QString& key, qint32 value);

    // Written "1"/"0", read as an integer: any value but 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    void WriteBool(const QString& section, const QString& key, bool value);

    // Regional text form (see DateTimeToStr); an empty or unreadable value gives def.
    TDateTime ReadDateTime(const QString& section, const QString& key, TDateTime def) const;
    void WriteDateTime(const QString& section, const QString& key, TDateTime value);

    bool ValueExists(const QString& section, const QString& key) const;
    bool SectionExists(const QString& section) const;
    // The key names of a section in file order, each once.
    QStringList ReadSection(const QString& section) const;
    // Removes the key's line only; nothing is written when there is no such key.
    void DeleteKey(const QString& section, const QString& key);

    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    // The keys of a section with their values, as ReadSection lists them
    // and ReadString reads them, from one reading of the file: a caller that
    // needs many keys of a big file reads it once, not once a key.
    QList<Entry> ReadSectionValues(const QString& section, Length length = Length::Limited) const;

    // The file's bytes as writing each entry in turn would leave them;
    // nothing is saved. Refuses (throws) as WriteString does. Lets a change
    // of several keys reach the disk in one save.
    QByteArray WithValues(const QList<Entry>& entries) const;
    // The same on given bytes instead of the file's: fileName only names the
    // file in messages.
    static QByteArray WithValues(const QByteArray& file, const QList<Entry>& entries,
                                 const QString& fileName);

    // Longest value, in bytes of the file, that a read returns.
    static constexpr int MaxValueBytes = 2047;
    // The bytes a key's value takes in the given file bytes as a read finds
    // it (one enclosing pair of quotes removed, in the file's encoding),
    // before the cut to MaxValueBytes; -1 when the key is not there. Lets a
    // writer measure what it will store before it stores it.
    static qsizetype ValueBytes(const QByteArray& file, const QString& section, const QString& key);

    // Strips one enclosing pair of matching quotes and cuts to MaxValueBytes
    // at a character boundary of the file's encoding.
    static QByteArray CookValue(const QByteArray& raw, bool utf8 = false);

private:
    QString m_fileName;
};
