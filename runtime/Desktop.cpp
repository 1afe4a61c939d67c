#include "runtime/Desktop.h"

#include "platform/Opener.h"

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
    return PlatformShell::OpenAddress(url, [url] { ReportOpenFailure(url); });
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
