#include "runtime/Profile.h"

#include "runtime/Errors.h"
#include "runtime/TextFile.h"

#include <QByteArrayView>
#include <QList>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// One line of the file, as a view into the loaded bytes.
struct Line {
    QByteArrayView text; // without its line end
    qsizetype begin = 0; // offset of the line in the file
    qsizetype end = 0;   // offset just past its line end
    bool hasEol = false;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView b) {
    qsizetype start = 0;
    qsizetype end = b.size();
    while (start < end && isBlank(b.at(start)))
        ++start;
    while (end > start && isBlank(b.at(end - 1)))
        --end;
    return b.sliced(start, end - start);
}

// Finds the line ends with memchr, which scans many bytes at a time: the
// calendar reads two yearly files for each of its 42 cells.
QList<Line> splitLines(const QByteArray& data) {
    QList<Line> lines;
    const char* base = data.constData();
    const qsizetype n = data.size();
    lines.reserve(n / 16 + 1);
    qsizetype start = 0;
    while (start < n) {
        const char* from = base + start;
        const auto* lf = static_cast<const char*>(std::memchr(from, '\n', size_t(n - start)));
        const qsizetype lfAt = lf ? lf - base : n;
        const auto* cr = static_cast<const char*>(std::memchr(from, '\r', size_t(lfAt - start)));
        Line line;
        line.begin = start;
        if (cr) {
            const qsizetype crAt = cr - base;
            line.text = QByteArrayView(from, crAt - start);
            line.end = (crAt + 1 < n && base[crAt + 1] == '\n') ? crAt + 2 : crAt + 1;
            line.hasEol = true;
        } else {
            line.text = QByteArrayView(from, lfAt - start);
            line.end = lf ? lfAt + 1 : n;
            line.hasEol = lf != nullptr;
        }
        lines.append(line);
        start = line.end;
    }
    return lines;
}

// Section header name, when the line is one.
std::optional<QByteArrayView> sectionName(QByteArrayView text) {
    const QByteArrayView t = trimBlanks(text);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    return trimBlanks(close < 0 ? t.sliced(1) : t.sliced(1, close - 1));
}

// Key and raw value of a key line. Comment lines and lines without "=" are no keys.
bool splitKey(QByteArrayView text, QByteArrayView& key, QByteArrayView& value) {
    const QByteArrayView t = trimBlanks(text);
    if (t.isEmpty() || t.startsWith(';'))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return false;
    key = trimBlanks(t.first(eq));
    value = trimBlanks(t.sliced(eq + 1));
    return !key.isEmpty();
}

// Names compare without regard to the case of Latin letters. A byte of
// 0x81 or more starts a two-byte character, whose second byte may look like
// a letter but is compared exactly.
bool sameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const uchar x = uchar(a.at(i));
        const uchar y = uchar(b.at(i));
        if (x >= 0x81) {
            if (x != y || i + 1 >= a.size() || a.at(i + 1) != b.at(i + 1))
                return false;
            ++i;
            continue;
        }
        const auto lower = [](uchar c) { return uchar(c >= 'A' && c <= 'Z' ? c + 32 : c); };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

QByteArray encodedName(const QString& name) {
    return Cp949::encode(name.trimmed());
}

// Where a section lies in the file: its header line and the line after its
// last line (the next header or the end of the file).
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QList<Line>& lines, QByteArrayView section) {
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines.at(i).text);
        if (!name)
            continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(*name, section))
            span.header = i;
    }
    if (span.header >= 0)
        span.end = lines.size();
    return span;
}

qsizetype findKey(const QList<Line>& lines, const SectionSpan& span, QByteArrayView key,
                  QByteArrayView* value = nullptr) {
    if (span.header < 0)
        return -1;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        QByteArrayView k, v;
        if (splitKey(lines.at(i).text, k, v) && sameName(k, key)) {
            if (value)
                *value = v;
            return i;
        }
    }
    return -1;
}

void save(const QString& fileName, const QByteArray& data) {
    TextFile::saveBytes(fileName, data, TextFile::ErrorKind::UnableToWrite);
}

// A name or value that would break the line structure of the file, or hold
// characters the code page cannot store, is refused before anything is written.
QByteArray checkedBytes(const QString& fileName, const QString& text, bool isName,
                        const char* forbidden) {
    if (text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0)))
        throw EFileError::unableToWrite(fileName);
    if (isName && text.trimmed().isEmpty())
        throw EFileError::unableToWrite(fileName);
    for (const char* p = forbidden; *p; ++p)
        if (text.contains(QLatin1Char(*p)))
            throw EFileError::unableToWrite(fileName);
    const QString bad = Cp949::unencodable(text);
    if (!bad.isEmpty())
        throw EFileError(Cp949::unencodableMessage(bad, fileName));
    return Cp949::encode(text);
}

} // namespace

IniProfile::IniProfile(const QString& fileName) : m_fileName(fileName) {}

QByteArray IniProfile::CookValue(const QByteArray& raw) {
    QByteArray v = raw;
    if (v.size() >= 2) {
        const char q = v.front();
        if ((q == '"' || q == '\'') && v.back() == q)
            v = v.mid(1, v.size() - 2);
    }
    if (v.size() > MaxValueBytes) {
        // Walk whole characters: a lead byte of 0x81 or more starts a two-byte one.
        qsizetype i = 0;
        while (i < v.size()) {
            const qsizetype step = (uchar(v.at(i)) >= 0x81 && i + 1 < v.size()) ? 2 : 1;
            if (i + step > MaxValueBytes)
                break;
            i += step;
        }
        v.truncate(i);
    }
    return v;
}

QString IniProfile::ReadString(const QString& section, const QString& key,
                               const QString& def) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const QList<Line> lines = splitLines(data);
    QByteArrayView raw;
    if (findKey(lines, findSection(lines, encodedName(section)), encodedName(key), &raw) < 0)
        return def;
    return Cp949::decode(CookValue(raw.toByteArray()));
}

void IniProfile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QByteArray sec = checkedBytes(m_fileName, section.trimmed(), true, "[]");
    const QByteArray k = checkedBytes(m_fileName, key.trimmed(), true, "=[");
    const QByteArray v = checkedBytes(m_fileName, value, false, "");
    const QByteArray keyLine = k + '=' + v;

    const QByteArray data = TextFile::readBytes(m_fileName);
    const QList<Line> lines = splitLines(data);
    const SectionSpan span = findSection(lines, sec);
    QByteArray out;
    if (span.header < 0) {
        out = data;
        if (!lines.isEmpty() && !lines.last().hasEol)
            out += "\r\n";
        out += '[' + sec + "]\r\n" + keyLine + "\r\n";
    } else if (const qsizetype at = findKey(lines, span, k); at >= 0) {
        const Line& line = lines.at(at);
        if (line.text == QByteArrayView(keyLine))
            return; // already so: leave the file untouched
        out = data.left(line.begin) + keyLine + data.mid(line.begin + line.text.size());
    } else {
        // After the last non-blank line of the section, so that blank lines
        // separating it from the next section stay where they are.
        qsizetype after = span.header;
        for (qsizetype i = span.header + 1; i < span.end; ++i)
            if (!trimBlanks(lines.at(i).text).isEmpty())
                after = i;
        const Line& prev = lines.at(after);
        out = data.left(prev.end);
        if (!prev.hasEol)
            out += "\r\n";
        out += keyLine + "\r\n" + data.mid(prev.end);
    }
    save(m_fileName, out);
}

qint32 IniProfile::ReadInteger(const QString& section, const QString& key, qint32 def) const {
    const QString s = ReadString(section, key, QString());
    static const QRegularExpression dec(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^0[xX][0-9a-fA-F]+$"));
    bool ok = false;
    qint64 v = 0;
    if (dec.match(s).hasMatch()) {
        v = s.toLongLong(&ok, 10);
    } else if (hex.match(s).hasMatch()) {
        const quint64 u = s.mid(2).toULongLong(&ok, 16);
        ok = ok && u <= quint64(INT32_MAX);
        v = qint64(u);
    }
    if (!ok || v < INT32_MIN || v > INT32_MAX)
        return def;
    return qint32(v);
}

void IniProfile::WriteInteger(const QString& section, const QString& key, qint32 value) {
    WriteString(section, key, QString::number(value));
}

bool IniProfile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniProfile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

TDateTime IniProfile::ReadDateTime(const QString& section, const QString& key,
                                   TDateTime def) const {
    const QString s = ReadString(section, key, QString());
    TDateTime value = 0;
    if (s.isEmpty() || !TryStrToDateTime(s, value))
        return def;
    return value;
}

void IniProfile::WriteDateTime(const QString& section, const QString& key, TDateTime value) {
    WriteString(section, key, DateTimeToStr(value));
}

bool IniProfile::ValueExists(const QString& section, const QString& key) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const QList<Line> lines = splitLines(data);
    return findKey(lines, findSection(lines, encodedName(section)), encodedName(key)) >= 0;
}

bool IniProfile::SectionExists(const QString& section) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    return findSection(splitLines(data), encodedName(section)).header >= 0;
}

QStringList IniProfile::ReadSection(const QString& section) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const QList<Line> lines = splitLines(data);
    const SectionSpan span = findSection(lines, encodedName(section));
    QStringList keys;
    if (span.header < 0)
        return keys;
    QList<QByteArrayView> seen;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        QByteArrayView k, v;
        if (!splitKey(lines.at(i).text, k, v))
            continue;
        if (std::any_of(seen.begin(), seen.end(), [&](QByteArrayView s) { return sameName(s, k); }))
            continue;
        seen << k;
        keys << Cp949::decode(k.toByteArray());
    }
    return keys;
}

void IniProfile::DeleteKey(const QString& section, const QString& key) {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const QList<Line> lines = splitLines(data);
    const qsizetype at = findKey(lines, findSection(lines, encodedName(section)), encodedName(key));
    if (at < 0)
        return;
    save(m_fileName, data.left(lines.at(at).begin) + data.mid(lines.at(at).end));
}
