#include "mainwindow/Application.h"

#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EFileError& e) {
        ShowErrorBox(e.message());
    } catch (const std::exception& e) {
        ShowErrorBox(QString::fromLocal8Bit(e.what()));
    }
    return false;
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
