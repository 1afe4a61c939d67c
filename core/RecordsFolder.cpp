#include "core/RecordsFolder.h"

#include "platform/Folders.h"
#include "runtime/Errors.h"
#include "runtime/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#ifndef TARVELL_DATA_FROM_BIN
#error "TARVELL_DATA_FROM_BIN: the build gives the data folder relative to the executable"
#endif

namespace RecordsFolder {

namespace {

const QString kSettingsName = QStringLiteral("plzNoSmoking.ini");
const QString kProbePrefix = QStringLiteral(".tarvell-probe-");

bool writeProbe(const QString& path) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("-", 1) == 1 && f.commit();
}

bool processAlive(qint64 pid) {
    return PlatformFolders::ProcessAlive(pid);
}

QString shown(const QString& folder) {
    return QDir::toNativeSeparators(QDir::cleanPath(folder));
}

// The files a user's records consist of, beside the program or not.
bool isRecord(const QString& name) {
    return name == kSettingsName || name == QStringLiteral("plzNoSmoking.log") ||
           name == QStringLiteral("ToMe.txt") ||
           ((name.startsWith(QStringLiteral("Anniversary - ")) ||
             name.startsWith(QStringLiteral("Holiday - "))) &&
            name.endsWith(QStringLiteral(".dat")));
}

QString recordsCopiedMessage(const QString& from, const QString& to) {
    return QStringLiteral(
               "프로그램 폴더에 쓸 수 없어서, 그곳의 기록을 사용자 폴더로 복사했습니다.\n\n"
               "%1\n→ %2\n\n"
               "이제부터 기록은 사용자 폴더에 저장됩니다. "
               "프로그램 폴더의 기록은 그대로 두었습니다.")
        .arg(shown(from), shown(to));
}

QString recordsUnusableMessage(const QString& from, const QString& why) {
    return QStringLiteral("기록이 있는 폴더에 쓸 수 없어서 그 기록을 이어 쓸 수 없습니다.\n\n"
                          "%1\n\n%2\n\n"
                          "이 폴더에 쓸 수 있게 한 뒤 다시 실행하세요.")
        .arg(shown(from), why);
}

// Copies the records, each file whole; the settings file last, since its
// presence marks the copy as made. A file already there (the user's own, or
// the copy of a start that was killed) is kept. Answers what failed.
QString copyRecords(const QString& from, const QString& to) {
    QStringList names;
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (isRecord(name) && name != kSettingsName)
            names << name;
    names << kSettingsName;
    for (const QString& name : names) {
        if (QFileInfo::exists(to + name))
            continue;
        bool read = false;
        const QByteArray bytes = TextFile::readBytes(from + name, &read);
        if (!read)
            return QStringLiteral("이 기록 파일을 읽을 수 없습니다: %1").arg(shown(from + name));
        try {
            TextFile::saveBytes(to + name, bytes, TextFile::ErrorKind::CannotCreate);
        } catch (const EFileError& e) {
            return e.message();
        }
    }
    return {};
}

} // namespace

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString FolderFromNative(const QByteArray& folder) {
    return PlatformFolders::Reachable(folder);
}

QString ExecutableFolderOf(const QByteArray& executablePath) {
    const qsizetype slash = executablePath.lastIndexOf('/');
    if (slash < 0)
        return FolderFromNative(".");
    return FolderFromNative(slash == 0 ? QByteArray("/") : executablePath.left(slash));
}

QString InstalledDataFolder(const QString& executableFolder) {
    return WithSeparator(QDir::cleanPath(QDir(executableFolder).absolutePath() + u'/' +
                                         QStringLiteral(TARVELL_DATA_FROM_BIN)));
}

bool IsInstalled(const QString& executableFolder) {
    return QFileInfo(InstalledDataFolder(executableFolder)).isDir();
}

QString UserDataFolder() {
    const QString base = PlatformFolders::UserDataBase();
    if (base.isEmpty())
        return QString();
    // Named here rather than through the application name, which follows the
    // executable's file name until start-up sets it.
    return WithSeparator(QDir::cleanPath(base + QStringLiteral("/Tarvell")));
}

bool CanReplaceFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    const QString probe =
        WithSeparator(folder) + kProbePrefix + QString::number(QCoreApplication::applicationPid());
    // Once to create the file, once more to replace it.
    const bool ok = writeProbe(probe) && writeProbe(probe);
    QFile::remove(probe);
    return ok;
}

int RemoveDeadProbes(const QString& folder) {
    // The probe itself, or the temporary file of its replacement.
    static const QRegularExpression re(QStringLiteral("^\\.tarvell-probe-([0-9]{1,10})"
                                                      "(\\.[A-Za-z0-9]{6})?$"));
    int removed = 0;
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& fi : files) {
        const QRegularExpressionMatch m = re.match(fi.fileName());
        if (!m.hasMatch())
            continue;
        const qint64 pid = m.captured(1).toLongLong();
        if (pid == QCoreApplication::applicationPid() || processAlive(pid))
            continue;
        if (QFile::remove(fi.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

Choice Choose(const QString& executableFolder, const QString& userDataFolder) {
    Choice c;
    c.installedDataFolder = InstalledDataFolder(executableFolder);
    if (!IsInstalled(executableFolder) && CanReplaceFilesIn(executableFolder)) {
        c.folder = WithSeparator(executableFolder);
        return c;
    }
    const QString beside = WithSeparator(executableFolder);
    const bool recordsBeside = QFileInfo::exists(beside + kSettingsName);
    if (userDataFolder.isEmpty()) {
        c.error = recordsBeside
                      ? recordsUnusableMessage(
                            beside, QStringLiteral("기록을 옮겨 둘 사용자 폴더도 없습니다 "
                                                   "(사용자의 홈 폴더를 찾을 수 없습니다)."))
                      : CannotMakeFolderMessage(QString());
        return c;
    }
    c.folder = WithSeparator(userDataFolder);
    if (!QDir().mkpath(c.folder) || !CanReplaceFilesIn(c.folder)) {
        c.error =
            recordsBeside
                ? recordsUnusableMessage(beside, QStringLiteral("기록을 옮겨 둘 사용자 폴더도 "
                                                                "만들거나 쓸 수 없습니다: %1")
                                                     .arg(shown(c.folder)))
                : CannotMakeFolderMessage(shown(c.folder));
        return c;
    }
    if (recordsBeside && !QFileInfo::exists(c.folder + kSettingsName)) {
        const QString failed = copyRecords(beside, c.folder);
        if (failed.isEmpty())
            c.notice = recordsCopiedMessage(beside, c.folder);
        else
            c.error = recordsUnusableMessage(
                beside,
                QStringLiteral("기록을 사용자 폴더로 복사하지 못했습니다.\n%1").arg(failed));
    }
    return c;
}

Choice ForThisProgram() {
    QByteArray executable = PlatformFolders::ExecutablePath();
    if (executable.isEmpty())
        executable = QFile::encodeName(QCoreApplication::applicationFilePath());
    return Choose(ExecutableFolderOf(executable), UserDataFolder());
}

QString CannotMakeFolderMessage(const QString& folder) {
    if (folder.isEmpty())
        return QStringLiteral("사용자의 홈 폴더를 찾을 수 없어 기록을 저장할 곳이 없습니다.\n\n"
                              "홈 폴더가 있는 사용자로 로그인한 뒤 다시 실행하세요.");
    return QStringLiteral("기록을 저장할 폴더를 만들거나 쓸 수 없습니다.\n\n%1\n\n"
                          "이 폴더에 쓸 수 있는지 확인한 뒤 다시 실행하세요.")
        .arg(folder);
}

} // namespace RecordsFolder
