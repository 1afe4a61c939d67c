#include "runtime/TextFile.h"

#include "runtime/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>
#include <cstring>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// ICU's "CP949" alias is IBM's variant, which lacks the extended Hangul
// syllables and turns the backslash into a won sign; the Windows code page
// that every existing file was written in is "windows-949".
constexpr const char* kCodec = "windows-949";

int systemSync(int fd) {
#ifdef Q_OS_UNIX
    return ::fsync(fd);
#else
    Q_UNUSED(fd);
    return 0;
#endif
}

TextFile::SyncFunction& syncFunction() {
    static TextFile::SyncFunction sync = systemSync;
    return sync;
}

// The new content must be on the disk before the rename makes it the file,
// or a power loss could leave an empty file where the records were.
bool syncToDisk(QSaveFile& f) {
    return syncFunction()(f.handle()) == 0;
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
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    static QStringDecoder dec(kCodec);
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    dec.resetState();
    return dec.decode(bytes);
}

QByteArray encode(const QString& text) {
    if (isAscii(text))
        return text.toLatin1();
    static QStringEncoder enc(kCodec);
    if (!enc.isValid())
        return text.toLatin1();
    enc.resetState();
    return enc.encode(text);
}

namespace {
bool roundTrips(const QString& text) {
    QStringEncoder enc(kCodec);
    QStringDecoder dec(kCodec);
    if (!enc.isValid() || !dec.isValid()) {
        for (QChar c : text)
            if (c.unicode() >= 0x80)
                return false;
        return true;
    }
    const QByteArray b = enc.encode(text);
    if (enc.hasError())
        return false;
    const QString back = dec.decode(b);
    return !dec.hasError() && back == text;
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

namespace TextFile {

namespace {
qint64 g_readCount = 0;
} // namespace

qint64 readCount() {
    return g_readCount;
}

QByteArray readBytes(const QString& path, bool* exists) {
    ++g_readCount;
    QFile f(path);
    const bool ok = f.open(QIODevice::ReadOnly);
    if (exists)
        *exists = ok;
    return ok ? f.readAll() : QByteArray();
}

void SetSyncFunction(SyncFunction sync) {
    syncFunction() = sync ? std::move(sync) : SyncFunction(systemSync);
}

void saveBytes(const QString& path, const QByteArray& bytes, ErrorKind kind) {
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    QString reason;
    // Unbuffered, so that a short write (a full disk, a size limit) shows in
    // the count written: a buffered save file can report success for a file
    // that was cut short on the way to the disk.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = f.errorString();
    } else {
        qint64 done = 0;
        while (done < bytes.size()) {
            const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += n;
        }
        if (done != bytes.size() || !syncToDisk(f)) {
            reason = f.errorString();
            if (reason.isEmpty() || reason == QStringLiteral("Unknown error"))
                reason = QString::fromLocal8Bit(std::strerror(errno));
            f.cancelWriting();
            f.commit();
        } else if (!f.commit()) {
            reason = f.errorString();
        } else {
            return;
        }
    }
    if (reason.isEmpty())
        reason = QStringLiteral("Unknown error");
    if (kind == ErrorKind::UnableToWrite)
        throw EFileError::unableToWrite(path);
    throw EFileError::cannotCreate(path, reason);
}

static QByteArray checkedEncode(const QString& path, const QString& text) {
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
    return splitLines(readText(path));
}

void writeLines(const QString& path, const QStringList& lines, ErrorKind kind) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    writeText(path, text, kind);
}

QString readText(const QString& path) {
    return Cp949::decode(readBytes(path));
}

void writeText(const QString& path, const QString& text, ErrorKind kind) {
    saveBytes(path, checkedEncode(path, text), kind);
}

} // namespace TextFile
