#include "runtime/Desktop.h"

#include <QtGlobal>
#include <cstdio>

namespace Desktop {

namespace {
OpenUrlHandler g_openUrl;
WarningHandler g_warning;
} // namespace

bool OpenUrl(const QString& url) {
    if (g_openUrl)
        return g_openUrl(url);
    return false;
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

} // namespace Desktop
