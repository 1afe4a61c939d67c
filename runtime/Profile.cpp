#include "runtime/Profile.h"

#include "runtime/Errors.h"
#include "runtime/TextFile.h"

#include <QByteArrayView>
#include <QList>
#include <QRegularExpression>
#include <QSet>
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

// The one rule for what surrounds names and values, used alike for the
// names in the file and the names asked for: a name that one operation
// lists, another can find.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
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
QList<Line> splitLines(QByteArrayView data) {
    QList<Line> lines;
    const char* base = data.data();
    const qsizetype n = data.size();
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

// A file's bytes as read: the part after a UTF-8 byte-order mark, split into
// lines, and the encoding its names and values are in.
struct Parsed {
    explicit Parsed(const QByteArray& data) {
        qsizetype bom = 0;
        utf8 = TextFile::detect(data, &bom) == TextFile::Encoding::Utf8;
        body = QByteArrayView(data).sliced(bom);
        lines = splitLines(body);
    }
    // Bytes whose encoding the caller already knows, without a mark.
    Parsed(QByteArrayView bytes, bool isUtf8)
        : body(bytes), lines(splitLines(bytes)), utf8(isUtf8) {}
    QByteArrayView body;
    QList<Line> lines;
    bool utf8 = false;
};

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

uchar lowerAscii(uchar c) {
    return uchar(c >= 'A' && c <= 'Z' ? c + 32 : c);
}

// Names compare without regard to the case of Latin letters. In CP949 a byte
// of 0x81 or more starts a two-byte character, whose second byte may look
// like a letter but is compared exactly; in UTF-8 no byte of a longer
// character is below 0x80.
bool sameName(QByteArrayView a, QByteArrayView b, bool utf8) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const uchar x = uchar(a.at(i));
        const uchar y = uchar(b.at(i));
        if (x >= 0x81 && !utf8) {
            if (x != y || i + 1 >= a.size() || a.at(i + 1) != b.at(i + 1))
                return false;
            ++i;
            continue;
        }
        if (lowerAscii(x) != lowerAscii(y))
            return false;
    }
    return true;
}

// A name in the form in which sameName() compares it, so that names can be
// matched through a hash; none for a CP949 name that ends in a lone lead
// byte, which sameName() matches with nothing.
std::optional<QByteArray> foldedName(QByteArrayView name, bool utf8) {
    QByteArray folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const uchar x = uchar(name.at(i));
        if (x >= 0x81 && !utf8) {
            if (i + 1 >= name.size())
                return std::nullopt;
            folded[i] = char(x);
            folded[i + 1] = name.at(i + 1);
            ++i;
            continue;
        }
        folded[i] = char(lowerAscii(x));
    }
    return folded;
}

// A name as it is spelt in a file of the given encoding; none when the file
// could not hold it, so that it matches nothing.
std::optional<QByteArray> encodedName(const QString& name, bool utf8) {
    if (utf8)
        return trimBlanks(name.toUtf8()).toByteArray();
    const QByteArray bytes = Cp949::encode(name);
    if (Cp949::decode(bytes) != name)
        return std::nullopt;
    return trimBlanks(bytes).toByteArray();
}

// Where a section lies in the file: its header line and the line after its
// last line (the next header or the end of the file).
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const Parsed& p, const std::optional<QByteArray>& section) {
    SectionSpan span;
    if (!section)
        return span;
    for (qsizetype i = 0; i < p.lines.size(); ++i) {
        const auto name = sectionName(p.lines.at(i).text);
        if (!name)
            continue;
        if (span.header >= 0) {
            span.end = i;
            return span;
        }
        if (sameName(*name, *section, p.utf8))
            span.header = i;
    }
    if (span.header >= 0)
        span.end = p.lines.size();
    return span;
}

struct KeyAt {
    qsizetype line = -1;
    QByteArrayView key; // as spelt in the file
    QByteArrayView value;
};

KeyAt findKey(const Parsed& p, const SectionSpan& span, const std::optional<QByteArray>& key) {
    KeyAt found;
    if (span.header < 0 || !key)
        return found;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        QByteArrayView k, v;
        if (splitKey(p.lines.at(i).text, k, v) && sameName(k, *key, p.utf8)) {
            found.line = i;
            found.key = k;
            found.value = v;
            return found;
        }
    }
    return found;
}

KeyAt findKey(const Parsed& p, const QString& section, const QString& key) {
    return findKey(p, findSection(p, encodedName(section, p.utf8)), encodedName(key, p.utf8));
}

QString decodeIn(QByteArrayView bytes, bool utf8) {
    return utf8 ? QString::fromUtf8(bytes) : Cp949::decode(bytes.toByteArray());
}

void save(const QString& fileName, const QByteArray& data) {
    TextFile::saveBytes(fileName, data, TextFile::ErrorKind::UnableToWrite);
}

// A name or value that would break the line structure of the file, or hold
// characters the code page cannot store, is refused before anything is written.
QByteArray checkedBytes(const QString& fileName, const QString& text, bool isName,
                        const char* forbidden, bool utf8) {
    if (text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0)))
        throw EFileError::unableToWrite(fileName);
    for (const char* p = forbidden; *p; ++p)
        if (text.contains(QLatin1Char(*p)))
            throw EFileError::unableToWrite(fileName);
    const QString bad = Cp949::unencodable(text);
    if (!bad.isEmpty())
        throw EFileError(Cp949::unencodableMessage(bad, fileName));
    const QByteArray bytes = utf8 ? text.toUtf8() : Cp949::encode(text);
    if (!isName)
        return bytes;
    const QByteArrayView name = trimBlanks(bytes);
    // Nothing left, or a name that would read back as a comment.
    if (name.isEmpty() || name.startsWith(';'))
        throw EFileError::unableToWrite(fileName);
    return name.toByteArray();
}

QByteArray withValue(const QByteArray& data, bool utf8, const IniProfile::Entry& e,
                     const QString& fileName) {
    const QByteArray sec = checkedBytes(fileName, e.section, true, "[]", utf8);
    const QByteArray k = checkedBytes(fileName, e.key, true, "=[", utf8);
    const QByteArray v = checkedBytes(fileName, e.value, false, "", utf8);

    const Parsed p(data, utf8);
    const SectionSpan span = findSection(p, sec);
    QByteArray out;
    if (span.header < 0) {
        out = data;
        if (!p.lines.isEmpty() && !p.lines.last().hasEol)
            out += "\r\n";
        out += '[' + sec + "]\r\n" + k + '=' + v + "\r\n";
    } else if (const KeyAt at = findKey(p, span, k); at.line >= 0) {
        // The key keeps its spelling in the file, whatever case the caller used.
        const QByteArray keyLine = at.key.toByteArray() + '=' + v;
        const Line& line = p.lines.at(at.line);
        if (line.text == QByteArrayView(keyLine))
            return data; // already so
        out = data.left(line.begin) + keyLine + data.mid(line.begin + line.text.size());
    } else {
        // After the last non-blank line of the section, so that blank lines
        // separating it from the next section stay where they are.
        qsizetype after = span.header;
        for (qsizetype i = span.header + 1; i < span.end; ++i)
            if (!trimBlanks(p.lines.at(i).text).isEmpty())
                after = i;
        const Line& prev = p.lines.at(after);
        out = data.left(prev.end);
        if (!prev.hasEol)
            out += "\r\n";
        out += k + '=' + v + "\r\n" + data.mid(prev.end);
    }
    return out;
}

// The bytes a write starts from, split off a byte-order mark. A file read as
// UTF-8 goes back to CP949, the program's encoding, as long as that loses
// no character; otherwise it stays UTF-8, and gets the mark if it had none,
// so that no later write can make it read as CP949.
struct WriteBase {
    QByteArray bom;
    QByteArray body;
    bool utf8 = false;
};

WriteBase writeBase(const QByteArray& file) {
    WriteBase w;
    qsizetype bom = 0;
    w.utf8 = TextFile::detect(file, &bom) == TextFile::Encoding::Utf8;
    w.body = file.mid(bom);
    if (w.utf8) {
        const QString text = QString::fromUtf8(w.body);
        if (Cp949::unencodable(text).isEmpty()) {
            w.body = Cp949::encode(text);
            w.utf8 = false;
        } else {
            w.bom = QByteArrayLiteral("\xEF\xBB\xBF");
        }
    }
    return w;
}

} // namespace

IniProfile::IniProfile(const QString& fileName) : m_fileName(fileName) {}

namespace {
QByteArrayView unquoted(QByteArrayView v) {
    if (v.size() >= 2) {
        const char q = v.front();
        if ((q == '"' || q == '\'') && v.back() == q)
            return v.sliced(1, v.size() - 2);
    }
    return v;
}

QString valueOf(QByteArrayView raw, bool utf8, IniProfile::Length length) {
    return decodeIn(length == IniProfile::Length::Whole
                        ? unquoted(raw)
                        : QByteArrayView(IniProfile::CookValue(raw.toByteArray(), utf8)),
                    utf8);
}
} // namespace

QByteArray IniProfile::CookValue(const QByteArray& raw, bool utf8) {
    QByteArray v = unquoted(raw).toByteArray();
    if (v.size() > MaxValueBytes) {
        qsizetype i = 0;
        if (utf8) {
            // Back off over continuation bytes to the start of a character.
            i = MaxValueBytes;
            while (i > 0 && (uchar(v.at(i)) & 0xC0) == 0x80)
                --i;
        } else {
            // Walk whole characters: a lead byte of 0x81 or more starts a two-byte one.
            while (i < v.size()) {
                const qsizetype step = (uchar(v.at(i)) >= 0x81 && i + 1 < v.size()) ? 2 : 1;
                if (i + step > MaxValueBytes)
                    break;
                i += step;
            }
        }
        v.truncate(i);
    }
    return v;
}

QString IniProfile::ReadString(const QString& section, const QString& key, const QString& def,
                               Length length) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const Parsed p(data);
    const KeyAt at = findKey(p, section, key);
    if (at.line < 0)
        return def;
    return valueOf(at.value, p.utf8, length);
}

qsizetype IniProfile::ValueBytes(const QByteArray& file, const QString& section,
                                 const QString& key) {
    const Parsed p(file);
    const KeyAt at = findKey(p, section, key);
    return at.line < 0 ? -1 : unquoted(at.value).size();
}

QByteArray IniProfile::WithValues(const QByteArray& file, const QList<Entry>& entries,
                                  const QString& fileName) {
    WriteBase w = writeBase(file);
    for (const Entry& e : entries)
        w.body = withValue(w.body, w.utf8, e, fileName);
    return w.bom + w.body;
}

QByteArray IniProfile::WithValues(const QList<Entry>& entries) const {
    return WithValues(TextFile::readForUpdate(m_fileName, TextFile::ErrorKind::UnableToWrite),
                      entries, m_fileName);
}

void IniProfile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QByteArray before =
        TextFile::readForUpdate(m_fileName, TextFile::ErrorKind::UnableToWrite);
    const QByteArray after = WithValues(before, {{section, key, value}}, m_fileName);
    if (after != before)
        save(m_fileName, after);
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
    return findKey(Parsed(data), section, key).line >= 0;
}

bool IniProfile::SectionExists(const QString& section) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const Parsed p(data);
    return findSection(p, encodedName(section, p.utf8)).header >= 0;
}

namespace {
// The key lines of a section that a read can reach: the first of each
// name. Names seen are hashed: a section of many thousand keys is listed in
// one pass.
QList<KeyAt> keysOf(const Parsed& p, const QString& section) {
    const SectionSpan span = findSection(p, encodedName(section, p.utf8));
    QList<KeyAt> keys;
    if (span.header < 0)
        return keys;
    QSet<QByteArray> seen;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        KeyAt at;
        if (!splitKey(p.lines.at(i).text, at.key, at.value))
            continue;
        if (const auto name = foldedName(at.key, p.utf8)) {
            if (seen.contains(*name))
                continue;
            seen.insert(*name);
        }
        at.line = i;
        keys << at;
    }
    return keys;
}
} // namespace

QStringList IniProfile::ReadSection(const QString& section) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const Parsed p(data);
    QStringList keys;
    for (const KeyAt& at : keysOf(p, section))
        keys << decodeIn(at.key, p.utf8);
    return keys;
}

QList<IniProfile::Entry> IniProfile::ReadSectionValues(const QString& section,
                                                       Length length) const {
    const QByteArray data = TextFile::readBytes(m_fileName);
    const Parsed p(data);
    QList<Entry> entries;
    for (const KeyAt& at : keysOf(p, section))
        entries << Entry{section, decodeIn(at.key, p.utf8), valueOf(at.value, p.utf8, length)};
    return entries;
}

void IniProfile::DeleteKey(const QString& section, const QString& key) {
    const QByteArray file = TextFile::readForUpdate(m_fileName, TextFile::ErrorKind::UnableToWrite);
    const WriteBase w = writeBase(file);
    const Parsed p(w.body, w.utf8);
    const KeyAt at = findKey(p, section, key);
    if (at.line < 0)
        return;
    const Line& line = p.lines.at(at.line);
    save(m_fileName, w.bom + w.body.left(line.begin) + w.body.mid(line.end));
}
