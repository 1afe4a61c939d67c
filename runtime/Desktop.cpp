#include "runtime/Desktop.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtGlobal>
#include <cstdio>

namespace Desktop {

namespace {
OpenUrlHandler g_openUrl;
WarningHandler g_warning;
OpenFailedHandler g_openFailed;
} // namespace

bool OpenUrl(const QString& url) {
    const bool started = g_openUrl && g_openUrl(url);
    if (!started)
        ReportOpenFailure(url);
    return started;
}

bool OpenWithShell(const QString& url) {
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
                     [process, url](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             ReportOpenFailure(url);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, url](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash is told by finished()
                         ReportOpenFailure(url);
                         process->deleteLater();
                     });
    process->start();
    return true;
}

void ReportOpenFailure(const QString& url) {
    if (g_openFailed) {
        g_openFailed(url);
        return;
    }
    std::fprintf(stderr, "Could not open %s\n", qPrintable(url));
}

void ShowWarning(const QString& title, const QString& text) {
    if (g_warning) {
        g_warning(title, text);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
}

void SetOpenUrlHandler(OpenUrlHandler handler) {
    g_openUrl = std::move(handler);
}
void SetWarningHandler(WarningHandler handler) {
    g_warning = std::move(handler);
}
void SetOpenFailedHandler(OpenFailedHandler handler) {
    g_openFailed = std::move(handler);
}

} // namespace Desktop
