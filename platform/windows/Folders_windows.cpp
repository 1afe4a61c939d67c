#include "platform/Folders.h"

#include <QDir>
#include <QFile>

#include <windows.h>

namespace PlatformFolders {

QByteArray ExecutablePath() {
    // Qt's own answer is whole on Windows: paths are UTF-16 there.
    return QByteArray();
}

QString Reachable(const QByteArray& folder) {
    return QFile::decodeName(folder);
}

QString UserDataBase() {
    // Local, not roaming: the records belong to this machine's program.
    // Relative, it would differ from folder to folder the program is started in.
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    return QDir::isAbsolutePath(local) ? QDir::fromNativeSeparators(local) : QString();
}

bool ProcessAlive(qint64 pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

} // namespace PlatformFolders
