#include "platform/Folders.h"

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
    const QString local = qEnvironmentVariable("LOCALAPPDATA");
    return local.isEmpty() ? QString() : local;
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
