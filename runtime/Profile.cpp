#include "runtime/Profile.h"

#include "runtime/Errors.h"
#include "runtime/TextFile.h"

#include <QList>
#include <QRegularExpression>
#include <optional>

namespace {

struct Line {
    QByteArray text; // without its line end
    QByteArray eol;  // "\r\n", "\n", "\r" or empty for an unterminated last line
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(const QByteArray& b) {
    qsizetype start = 0;
    qsizetype end = b.size();
    while (start < end && isBlank(b.at(start)))
        ++start;
    while (end > start && isBlank(b.at(end - 1)))
        --end;
    return b.mid(start, end - start);
}

QList<Line> splitRaw(const QByteArray& data) {
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data.at(i);
        if (c != '\r' && c != '\n')
            continue;
        Line line{data.mid(start, i - start), {}};
        if (c == '\r' && i + 1 < n && data.at(i + 1) == '\n') {
            line.eol = "\r\n";
            ++i;
        } else {
            line.eol = QByteArray(1, c);
        }
        lines.append(line);
        start = i + 1;
    }
    if (start < n)
        lines.append(Line{data.mid(start), {}});
    return lines;
}

QByteArray joinRaw(const QList<Line>& lines) {
    QByteArray out;
    for (const Line& l : lines)
        out += l.text + l.eol;
    return out;
}

// Section header name, when the line is one.
std::optional<QByteArray> sectionName(const QByteArray& text) {
    const QByteArray t = trimBlanks(text);
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype close = t.indexOf(']');
    return trimBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1));
}

// Key and raw value of a key line. Comment lines and lines without "=" are no keys.
bool splitKey(const QByteArray& text, QByteArray& key, QByteArray& value) {
    const QByteArray t = trimBlanks(text);
    if (t.isEmpty() || t.startsWith(';'))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return false;
    key = trimBlanks(t.left(eq));
    value = trimBlanks(t.mid(eq + 1));
    return !key.isEmpty();
}

bool sameName(const QByteArray& raw, const QString& name) {
    return Cp949::decode(raw).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// Where a section lies in the file: its header line and the line after its
// last line (the next header or the end of the file).
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QList<Line>& lines, const QString& section) {
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

qsizetype findKey(const QList<Line>& lines, const SectionSpan& span, const QString& key,
                  QByteArray* value = nullptr) {
    if (span.header < 0)
        return -1;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        QByteArray k, v;
        if (splitKey(lines.at(i).text, k, v) && sameName(k, key)) {
            if (value)
                *value = v;
            return i;
        }
    }
    return -1;
}

QList<Line> load(const QString& fileName) {
    return splitRaw(TextFile::readBytes(fileName));
}

void save(const QString& fileName, const QList<Line>& lines) {
    TextFile::saveBytes(fileName, joinRaw(lines), TextFile::ErrorKind::UnableToWrite);
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
    const QList<Line> lines = load(m_fileName);
    QByteArray raw;
    if (findKey(lines, findSection(lines, section), key, &raw) < 0)
        return def;
    return Cp949::decode(CookValue(raw));
}

void IniProfile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QByteArray sec = checkedBytes(m_fileName, section.trimmed(), true, "[]");
    const QByteArray k = checkedBytes(m_fileName, key.trimmed(), true, "=[");
    const QByteArray v = checkedBytes(m_fileName, value, false, "");
    const QByteArray keyLine = k + '=' + v;

    QList<Line> lines = load(m_fileName);
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) {
        if (!lines.isEmpty() && lines.last().eol.isEmpty())
            lines.last().eol = "\r\n";
        lines.append(Line{'[' + sec + ']', "\r\n"});
        lines.append(Line{keyLine, "\r\n"});
    } else if (const qsizetype at = findKey(lines, span, key); at >= 0) {
        if (lines.at(at).text == keyLine)
            return; // already so: leave the file untouched
        lines[at].text = keyLine;
    } else {
        // After the last non-blank line of the section, so that blank lines
        // separating it from the next section stay where they are.
        qsizetype insertAt = span.header + 1;
        for (qsizetype i = span.header + 1; i < span.end; ++i)
            if (!trimBlanks(lines.at(i).text).isEmpty())
                insertAt = i + 1;
        if (lines.at(insertAt - 1).eol.isEmpty())
            lines[insertAt - 1].eol = "\r\n";
        lines.insert(insertAt, Line{keyLine, "\r\n"});
    }
    save(m_fileName, lines);
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
    const QList<Line> lines = load(m_fileName);
    return findKey(lines, findSection(lines, section), key) >= 0;
}

bool IniProfile::SectionExists(const QString& section) const {
    return findSection(load(m_fileName), section).header >= 0;
}

QStringList IniProfile::ReadSection(const QString& section) const {
    const QList<Line> lines = load(m_fileName);
    const SectionSpan span = findSection(lines, section);
    QStringList keys;
    if (span.header < 0)
        return keys;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        QByteArray k, v;
        if (!splitKey(lines.at(i).text, k, v))
            continue;
        const QString name = Cp949::decode(k);
        bool seen = false;
        for (const QString& existing : keys)
            seen = seen || existing.compare(name, Qt::CaseInsensitive) == 0;
        if (!seen)
            keys << name;
    }
    return keys;
}

void IniProfile::DeleteKey(const QString& section, const QString& key) {
    QList<Line> lines = load(m_fileName);
    const qsizetype at = findKey(lines, findSection(lines, section), key);
    if (at < 0)
        return;
    lines.removeAt(at);
    save(m_fileName, lines);
}
