#include "runtime/TextFile.h"

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "runtime/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Empty: the platform's own sync; tests put a stand-in in its place.
TextFile::SyncFunction& syncFunction() {
    static TextFile::SyncFunction sync;
    return sync;
}

std::function<void()>& stepHook() {
    static std::function<void()> hook;
    return hook;
}

void step() {
    if (stepHook())
        stepHook()();
}

// The new content must be on the disk before the rename makes it the file,
// or a power loss could leave an empty file where the records were.
bool syncToDisk(QFile& f) {
    if (syncFunction())
        return syncFunction()(f.handle()) == 0;
    return PlatformFiles::SyncFile(f);
}

// A rename lives in the folder's own data: until the folder is synced, a
// power loss may bring back the old file, or neither. Nothing can be done
// about a folder that refuses (some file systems cannot sync one): the new
// content is in place either way, so that is no failure of the save.
void syncFolder(const QString& folder) {
    PlatformFiles::SyncFolder(folder);
}

QString systemReason(const QString& qtReason) {
    if (!qtReason.isEmpty() && qtReason != QStringLiteral("Unknown error"))
        return qtReason;
    const int e = errno;
    return e ? QString::fromLocal8Bit(std::strerror(e)) : QStringLiteral("Unknown error");
}

} // namespace

namespace Cp949 {

namespace {
bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}
bool isAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
} // namespace

// The lower half of the code page is ASCII, which needs no converter; the
// converters themselves are costly to open, so one of each is kept.
QString decode(const QByteArray& bytes) {
    if (isAscii(bytes) || !PlatformCodePage::Available())
        return QString::fromLatin1(bytes);
    QString text;
    PlatformCodePage::Decode(bytes, text);
    return text;
}

QByteArray encode(const QString& text) {
    if (isAscii(text) || !PlatformCodePage::Available())
        return text.toLatin1();
    QByteArray bytes;
    PlatformCodePage::Encode(text, bytes);
    return bytes;
}

namespace {
bool roundTrips(const QString& text) {
    if (!PlatformCodePage::Available()) {
        for (QChar c : text)
            if (c.unicode() >= 0x80)
                return false;
        return true;
    }
    QByteArray b;
    // The converter maps a few characters onto bytes that are no character
    // of the code page (0x80): written, they would make the file ill-formed.
    if (!PlatformCodePage::Encode(text, b) || !isWellFormed(b))
        return false;
    QString back;
    return PlatformCodePage::Decode(b, back) && back == text;
}
} // namespace

QString unencodable(const QString& text) {
    if (roundTrips(text))
        return {};
    // Find the culprits one character at a time (surrogate pairs together),
    // each with fresh converters: an error must not colour what follows.
    QString bad;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len;
        if (!roundTrips(ch) && !bad.contains(ch))
            bad += ch;
    }
    return bad;
}

QString unencodableMessage(const QString& characters, const QString& path) {
    QString shown;
    for (qsizetype i = 0; i < characters.size();) {
        qsizetype len = characters.at(i).isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
        if (!shown.isEmpty())
            shown += QStringLiteral(" ");
        shown += QStringLiteral("\"") + characters.mid(i, len) + QStringLiteral("\"");
        i += len;
    }
    return QStringLiteral("저장할 수 없는 글자가 있습니다: %1\r\n"
                          "이 글자들을 지우거나 바꾼 뒤 다시 저장하세요.\r\n"
                          "(%2 파일은 그대로 두었습니다.)")
        .arg(shown, path);
}

} // namespace Cp949

namespace Cp949 {

bool isWellFormed(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const uchar c = uchar(bytes.at(i));
        if (c < 0x80)
            continue;
        if (c == 0x80 || c == 0xFF || i + 1 >= n)
            return false;
        const uchar t = uchar(bytes.at(++i));
        // Leads up to 0xC6 also carry the extended Hangul syllables, whose
        // trail bytes include letters; higher leads only the standard rows.
        const bool ok = c <= 0xC6 ? (t >= 0x41 && t <= 0x5A) || (t >= 0x61 && t <= 0x7A) ||
                                        (t >= 0x81 && t <= 0xFE)
                                  : t >= 0xA1 && t <= 0xFE;
        if (!ok)
            return false;
    }
    return true;
}

} // namespace Cp949

namespace TextFile {

namespace {

qint64 g_readCount = 0;

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
// Marks the temporary files of saves; nothing else the program or its user
// keeps in the folder carries it.
const QString kTempMarker = QStringLiteral(".~tarvell.");

[[noreturn]] void throwError(ErrorKind kind, const QString& path, const QString& reason) {
    if (kind == ErrorKind::UnableToWrite)
        throw EFileError::unableToWrite(path);
    throw EFileError::cannotCreate(path, reason);
}

QString decodeAs(Encoding encoding, QByteArrayView bytes) {
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes);
    return Cp949::decode(bytes.toByteArray());
}

QString randomSuffix() {
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < 6; ++i)
        s += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
    return s;
}

} // namespace

bool isWellFormedUtf8(QByteArrayView bytes) {
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = uchar(bytes.at(i));
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        uint cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + more >= n)
            return false;
        for (int k = 1; k <= more; ++k) {
            const uchar t = uchar(bytes.at(i + k));
            if ((t & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        // No overlong forms, no surrogates, nothing past the last code point.
        if ((more == 2 && cp < 0x800) || (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

Encoding detect(QByteArrayView bytes, qsizetype* bomSize) {
    const bool bom = bytes.startsWith(kUtf8Bom);
    if (bomSize)
        *bomSize = bom ? kUtf8Bom.size() : 0;
    if (bom)
        return Encoding::Utf8;
    if (!Cp949::isWellFormed(bytes) && isWellFormedUtf8(bytes))
        return Encoding::Utf8;
    return Encoding::Cp949;
}

QString decode(QByteArrayView bytes) {
    qsizetype bom = 0;
    const Encoding e = detect(bytes, &bom);
    return decodeAs(e, bytes.sliced(bom));
}

qint64 readCount() {
    return g_readCount;
}

namespace {

// Far above any real record (a lifetime of relapses and promotions makes a
// log of some hundred kilobytes), yet a size that still fits in memory.
constexpr qint64 kMaxFileBytes = qint64(128) * 1024 * 1024;

enum class Outcome { Read, Missing, Unreadable };

Outcome readRegular(const QString& path, QByteArray& out, QString& reason) {
    ++g_readCount;
    switch (PlatformFiles::ReadRegular(path, kMaxFileBytes, out, reason)) {
    case PlatformFiles::Read::Done:
        return Outcome::Read;
    case PlatformFiles::Read::Missing:
        return Outcome::Missing;
    case PlatformFiles::Read::Refused:
        break;
    }
    return Outcome::Unreadable;
}

} // namespace

QByteArray readBytes(const QString& path, bool* exists) {
    QByteArray data;
    QString reason;
    const bool ok = readRegular(path, data, reason) == Outcome::Read;
    if (exists)
        *exists = ok;
    return data;
}

namespace {
qint64 g_sizeLimit = -1;
} // namespace

void SetSizeLimit(qint64 bytes) {
    g_sizeLimit = bytes;
}

void SetSyncFunction(SyncFunction sync) {
    syncFunction() = std::move(sync);
}

QByteArray readForUpdate(const QString& path, ErrorKind kind) {
    QByteArray data;
    QString reason;
    switch (readRegular(path, data, reason)) {
    case Outcome::Read:
        return data;
    case Outcome::Missing:
        return {};
    case Outcome::Unreadable:
        break;
    }
    throwError(kind, path, reason);
}

namespace {

// Writes the bytes into a new temporary file beside target and syncs them
// to the disk. Answers why it failed, or nothing; temp names the file as
// soon as it exists.
QString writeTemporary(const QString& target, const QByteArray& bytes, QString& temp) {
    QFile f;
    for (int attempt = 0;; ++attempt) {
        f.setFileName(target + kTempMarker + randomSuffix());
        // Unbuffered, so that a short write (a full disk, a size limit) shows
        // in the count written rather than vanishing in a buffer.
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            break;
        if (!f.exists() || attempt >= 16)
            return systemReason(f.errorString());
    }
    temp = f.fileName();
    step();
    if (QFileInfo(target).isFile())
        f.setPermissions(QFile::permissions(target));

    const qint64 room = g_sizeLimit >= 0 ? qMin<qint64>(bytes.size(), g_sizeLimit) : bytes.size();
    qint64 done = 0;
    while (done < room) {
        const qint64 n = f.write(bytes.constData() + done, room - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done == room && room < bytes.size())
        errno = EFBIG;
    step();
    if (done != bytes.size() || !syncToDisk(f))
        return systemReason(f.errorString());
    f.close();
    if (f.error() != QFileDevice::NoError)
        return systemReason(f.errorString());
    step();
    return {};
}

// The rename replaces the file in one step: a reader, or a process killed
// at any moment, sees the old content or the new, never a mix.
bool renameOver(const QString& from, const QString& to) {
    if (!PlatformFiles::PutInPlace(from, to))
        return false;
    step();
    return true;
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// A change that spans files is decided once this file is in place: it
// lists the temporary files, all written and synced, that are to become
// the files. The next start finishes what a killed process left of it.
const QString kJournalName = QStringLiteral(".~tarvell.journal");

} // namespace

PendingSave::PendingSave(const QString& path, const QByteArray& bytes, ErrorKind kind)
    : m_path(path), m_target(path), m_kind(kind) {
    // A settings file kept as a link elsewhere stays a link: its target is
    // what gets replaced.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        m_target = info.canonicalFilePath();
    const QString reason = writeTemporary(m_target, bytes, m_temp);
    if (!reason.isEmpty())
        fail(reason);
}

PendingSave::~PendingSave() {
    if (!m_done && !m_temp.isEmpty())
        QFile::remove(m_temp);
}

void PendingSave::fail(const QString& reason) {
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
    m_temp.clear();
    m_done = true;
    throwError(m_kind, m_path, reason);
}

void PendingSave::commit() {
    if (m_done)
        return;
    if (!renameOver(m_temp, m_target))
        fail(systemReason(QString()));
    m_done = true;
    m_committed = true;
    syncFolder(folderOf(m_target));
    step();
}

void PendingSave::commitTogether(const QString& folder, std::initializer_list<PendingSave*> saves) {
    if (saves.size() == 0)
        return;
    const QString dir = withSlash(folder);
    const QString journal = dir + kJournalName;
    QByteArray entries;
    for (PendingSave* s : saves) {
        const QString temp = s->m_temp;
        const bool inFolder = temp.startsWith(dir) && !temp.mid(dir.size()).contains(u'/');
        entries += QFile::encodeName(inFolder ? temp.mid(dir.size()) : temp) + '\0';
    }
    QString journalTemp;
    QString reason = writeTemporary(journal, entries, journalTemp);
    if (reason.isEmpty() && !renameOver(journalTemp, journal))
        reason = systemReason(QString());
    if (!reason.isEmpty()) {
        if (!journalTemp.isEmpty())
            QFile::remove(journalTemp);
        (*saves.begin())->fail(reason);
    }
    syncFolder(dir);
    step();

    QStringList folders;
    for (PendingSave* s : saves) {
        if (!renameOver(s->m_temp, s->m_target)) {
            const QString why = systemReason(QString());
            // Not for the next start to finish: the caller puts back what
            // was already replaced.
            QFile::remove(journal);
            syncFolder(dir);
            s->fail(why);
        }
        s->m_done = true;
        s->m_committed = true;
        if (!folders.contains(folderOf(s->m_target)))
            folders << folderOf(s->m_target);
    }
    for (const QString& f : folders)
        syncFolder(f);
    step();
    // Should the removal be lost to a power cut, the journal names files
    // that are in place already, and finishing it does nothing.
    QFile::remove(journal);
    step();
    syncFolder(dir);
}

bool finishInterruptedChange(const QString& folder) {
    const QString dir = withSlash(folder);
    const QString journal = dir + kJournalName;
    QByteArray entries;
    QString reason;
    switch (readRegular(journal, entries, reason)) {
    case Outcome::Missing:
        return true;
    case Outcome::Unreadable:
        return false;
    case Outcome::Read:
        break;
    }
    QStringList folders;
    for (const QByteArray& entry : entries.split('\0')) {
        if (entry.isEmpty())
            continue;
        QString temp = QFile::decodeName(entry);
        if (QDir::isRelativePath(temp))
            temp = dir + temp;
        const QFileInfo info(temp);
        // Only what a save writes, and only while it is not yet in place.
        if (!isLeftover(info.fileName()) || info.isSymLink() || !info.isFile())
            continue;
        const QString target = temp.left(temp.size() - kTempMarker.size() - 6);
        if (!renameOver(temp, target))
            return false;
        if (!folders.contains(folderOf(target)))
            folders << folderOf(target);
    }
    for (const QString& f : folders)
        syncFolder(f);
    if (!QFile::remove(journal))
        return false;
    step();
    syncFolder(dir);
    return true;
}

void SetStepHook(std::function<void()> hook) {
    stepHook() = std::move(hook);
}

void saveBytes(const QString& path, const QByteArray& bytes, ErrorKind kind) {
    PendingSave save(path, bytes, kind);
    save.commit();
}

bool isLeftover(const QString& fileName) {
    static const QRegularExpression re(QStringLiteral("^.+\\.~tarvell\\.[A-Za-z0-9]{6}$"));
    return re.match(fileName).hasMatch();
}

int removeLeftovers(const QString& folder) {
    int removed = 0;
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& fi : files)
        if (isLeftover(fi.fileName()) && QFile::remove(fi.absoluteFilePath()))
            ++removed;
    return removed;
}

QByteArray checkedEncode(const QString& path, const QString& text) {
    const QString bad = Cp949::unencodable(text);
    if (!bad.isEmpty())
        throw EFileError(Cp949::unencodableMessage(bad, path));
    return Cp949::encode(text);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines << text.mid(start, i - start);
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

QStringList readLines(const QString& path) {
    const QByteArray bytes = readBytes(path);
    // CR and LF never occur inside a character of either encoding, so the
    // bytes can be split before they are decoded.
    const bool bom = bytes.startsWith(kUtf8Bom);
    const QByteArrayView all = QByteArrayView(bytes).sliced(bom ? kUtf8Bom.size() : 0);
    QStringList lines;
    auto add = [&](QByteArrayView line) {
        const bool utf8 = bom ? isWellFormedUtf8(line) : detect(line) == Encoding::Utf8;
        lines << decodeAs(utf8 ? Encoding::Utf8 : Encoding::Cp949, line);
    };
    qsizetype start = 0;
    const qsizetype n = all.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = all.at(i);
        if (c == '\r' || c == '\n') {
            add(all.sliced(start, i - start));
            if (c == '\r' && i + 1 < n && all.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        add(all.sliced(start));
    return lines;
}

void writeLines(const QString& path, const QStringList& lines, ErrorKind kind) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    writeText(path, text, kind);
}

QString readText(const QString& path) {
    return decode(readBytes(path));
}

void writeText(const QString& path, const QString& text, ErrorKind kind) {
    saveBytes(path, checkedEncode(path, text), kind);
}

} // namespace TextFile
