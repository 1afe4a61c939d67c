#include "platform/Opener.h"

#include <QProcess>
#include <QStandardPaths>

namespace PlatformShell {

bool OpenAddress(const QString& url, std::function<void()> failed) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    // Without a parent, and never deleted while it runs: a QProcess kills
    // its program when it is destroyed, and an opener may wait for the
    // browser it started (xdg-open does on a bare window manager). One still
    // running when the program quits is left to go on.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({url});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash is told by finished()
                         failed();
                         process->deleteLater();
                     });
    process->start();
    return true;
}

} // namespace PlatformShell
