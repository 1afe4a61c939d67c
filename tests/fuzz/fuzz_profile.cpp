// The settings-file reader and writer on any file content and any names.
// Input: an operation byte, then section, key and value (each a length byte
// and that many bytes of UTF-8), then the file's bytes.
// Properties: reading never fails; a write that is refused or fails leaves
// the file byte for byte as it was; a written value reads back as written
// (blanks around it dropped, one pair of enclosing quotes removed, cut to
// the longest value); every other key keeps its value; a deleted key is
// gone or was a duplicate.
#include "runtime/Errors.h"
#include "runtime/Profile.h"
#include "runtime/TextFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QFile>
#include <QList>
#include <QPair>

namespace {

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QString trimmedName(const QString& s) {
    qsizetype a = 0, b = s.size();
    while (a < b && isBlank(s.at(a)))
        ++a;
    while (b > a && isBlank(s.at(b - 1)))
        --b;
    return s.mid(a, b - a);
}

// Whether two names may be the same name to the profile (which folds the
// case of Latin letters only): when in doubt, yes.
bool maybeSame(const QString& a, const QString& b) {
    return trimmedName(a).compare(trimmedName(b), Qt::CaseInsensitive) == 0;
}

// Section names as a reader of the file would find them.
QStringList sectionsOf(const QByteArray& file) {
    QStringList names;
    const QString text = TextFile::decode(file);
    for (const QString& line : TextFile::splitLines(text)) {
        const QString t = trimmedName(line);
        if (!t.startsWith(u'['))
            continue;
        const qsizetype close = t.indexOf(u']');
        names << trimmedName(close < 0 ? t.mid(1) : t.mid(1, close - 1));
        if (names.size() >= 16)
            break;
    }
    return names;
}

using Values = QList<QPair<QPair<QString, QString>, QString>>;

Values valuesOf(const IniProfile& ini, const QStringList& sections) {
    Values values;
    for (const QString& s : sections) {
        const QStringList keys = ini.ReadSection(s);
        for (qsizetype i = 0; i < keys.size() && i < 64; ++i)
            values.append({{s, keys[i]}, ini.ReadString(s, keys[i], QStringLiteral("\x01none"))});
    }
    return values;
}

// What a value written into a file of the given encoding reads back as.
QString expectedRead(const QString& value, bool utf8) {
    QByteArray bytes = utf8 ? value.toUtf8() : Cp949::encode(value);
    qsizetype a = 0, b = bytes.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (a < b && blank(bytes.at(a)))
        ++a;
    while (b > a && blank(bytes.at(b - 1)))
        --b;
    bytes = IniProfile::CookValue(bytes.mid(a, b - a), utf8);
    return utf8 ? QString::fromUtf8(bytes) : Cp949::decode(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Input in(data, size);
    const uint8_t op = in.Byte();
    const QString section = QString::fromUtf8(in.Part());
    const QString key = QString::fromUtf8(in.Part());
    const QString value = QString::fromUtf8(in.Part());
    const QByteArray before = in.Rest();

    const QString path = Fuzz::Folder() + QStringLiteral("f.ini");
    writeFile(path, before);
    IniProfile ini(path);

    // Reading: any file, any name.
    ini.ReadString(section, key, QString());
    ini.ReadInteger(section, key, 7);
    ini.ReadBool(section, key, true);
    ini.ReadDateTime(section, key, 0.0);
    ini.SectionExists(section);
    const bool existed = ini.ValueExists(section, key);
    const QStringList listed = ini.ReadSection(section);
    Fuzz::Require(!existed || !listed.isEmpty(), "a key that exists is listed");

    const QStringList sections = sectionsOf(before);
    const Values others = valuesOf(ini, sections);
    const bool deleting = (op & 1) != 0;
    try {
        if (deleting)
            ini.DeleteKey(section, key);
        else
            ini.WriteString(section, key, value);
    } catch (const EFileError&) {
        Fuzz::Require(readFile(path) == before, "a refused write leaves the file as it was");
        return 0;
    }
    const QByteArray after = readFile(path);
    // A file that is neither CP949 nor UTF-8 through and through may read
    // in the other encoding once a line of it changed; its values are then
    // other characters, so only files that keep their encoding are held to
    // the value properties below.
    const bool utf8Before = TextFile::detect(before) == TextFile::Encoding::Utf8;
    const bool utf8 = TextFile::detect(after) == TextFile::Encoding::Utf8;
    if (utf8Before != utf8) {
        // A UTF-8 file may go back to CP949 (with the same characters); a
        // CP949 file never turns UTF-8, unless it was neither to begin with.
        Fuzz::Require(utf8Before || !Cp949::isWellFormed(before),
                      "a well-formed CP949 file stays CP949");
        if (!utf8Before)
            return 0;
    }

    if (deleting) {
        Fuzz::Require(!existed || after != before, "deleting an existing key writes");
        Fuzz::Require(existed || after == before, "deleting a missing key writes nothing");
    } else {
        Fuzz::Require(ini.ReadString(section, key, QStringLiteral("\x01none")) ==
                          expectedRead(value, utf8),
                      "a written value reads back");
    }
    for (const auto& [names, old] : others) {
        if (maybeSame(names.first, section) && maybeSame(names.second, key))
            continue;
        Fuzz::Require(ini.ReadString(names.first, names.second, QStringLiteral("\x01none")) == old,
                      "a write leaves the other keys alone");
    }
    return 0;
}
