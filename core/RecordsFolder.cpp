#include "core/RecordsFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifndef TARVELL_DATA_FROM_BIN
#error "TARVELL_DATA_FROM_BIN: the build gives the data folder relative to the executable"
#endif

namespace RecordsFolder {

namespace {

bool writeProbe(const QString& path) {
    QSaveFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("-", 1) == 1 && f.commit();
}

} // namespace

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith(u'/'))
        f += u'/';
    return f;
}

QString InstalledDataFolder(const QString& executableFolder) {
    return WithSeparator(QDir::cleanPath(QDir(executableFolder).absolutePath() + u'/' +
                                         QStringLiteral(TARVELL_DATA_FROM_BIN)));
}

bool IsInstalled(const QString& executableFolder) {
    return QFileInfo(InstalledDataFolder(executableFolder)).isDir();
}

QString UserDataFolder() {
#ifdef Q_OS_UNIX
    // Without a home Qt would answer a folder under the root; records there
    // would belong to no one.
    if (qEnvironmentVariableIsEmpty("HOME") && qEnvironmentVariableIsEmpty("XDG_DATA_HOME"))
        return QString();
#endif
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return QString();
    // Named here rather than through the application name, which follows the
    // executable's file name until start-up sets it.
    return WithSeparator(base + QStringLiteral("/Tarvell"));
}

bool CanReplaceFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    const QString probe =
        WithSeparator(folder) +
        QStringLiteral(".tarvell-probe-%1").arg(QCoreApplication::applicationPid());
    // Once to create the file, once more to replace it.
    const bool ok = writeProbe(probe) && writeProbe(probe);
    QFile::remove(probe);
    return ok;
}

Choice Choose(const QString& executableFolder, const QString& userDataFolder) {
    Choice c;
    c.installedDataFolder = InstalledDataFolder(executableFolder);
    if (!IsInstalled(executableFolder) && CanReplaceFilesIn(executableFolder)) {
        c.folder = WithSeparator(executableFolder);
        return c;
    }
    if (userDataFolder.isEmpty()) {
        c.error = CannotMakeFolderMessage(QString());
        return c;
    }
    c.folder = WithSeparator(userDataFolder);
    if (!QDir().mkpath(c.folder) || !CanReplaceFilesIn(c.folder))
        c.error = CannotMakeFolderMessage(QDir::toNativeSeparators(QDir::cleanPath(c.folder)));
    return c;
}

Choice ForThisProgram() {
    return Choose(QCoreApplication::applicationDirPath(), UserDataFolder());
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
