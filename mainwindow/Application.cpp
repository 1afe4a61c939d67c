#include "mainwindow/Application.h"

#include "runtime/Desktop.h"
#include "runtime/Errors.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <exception>

namespace {
TApplication::ErrorBox g_errorBox;
bool g_inErrorBox = false;
} // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EFileError& e) {
        ShowError(e.message());
    } catch (const std::exception& e) {
        ShowError(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void TApplication::SetErrorBox(ErrorBox box) {
    g_errorBox = std::move(box);
}

void TApplication::ShowError(const QString& message) {
    if (g_errorBox) {
        g_errorBox(message);
        return;
    }
    // The clock keeps ticking under the box; one box at a time is enough.
    if (g_inErrorBox)
        return;
    g_inErrorBox = true;
    QMessageBox::critical(nullptr, QStringLiteral("Tarvell"), message);
    g_inErrorBox = false;
}

void TApplication::InstallDesktopServices() {
    Desktop::SetOpenUrlHandler(
        [](const QString& url) { return QDesktopServices::openUrl(QUrl(url)); });
    Desktop::SetWarningHandler([](const QString& title, const QString& text) {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QMessageBox::warning(nullptr, title, t, QMessageBox::Ok);
    });
}
