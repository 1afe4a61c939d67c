#include "widgets/ErrorBox.h"

#include "runtime/Errors.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {
ErrorBoxHandler g_handler;
bool g_showing = false;
} // namespace

void ShowErrorBox(const QString& message, QWidget* parent) {
    if (g_handler) {
        g_handler(message);
        return;
    }
    // The clock keeps ticking under a modal box; a second failure while the
    // first is still shown adds nothing the user can act on.
    if (g_showing)
        return;
    g_showing = true;
    QString title = QGuiApplication::applicationDisplayName();
    if (title.isEmpty())
        title = QStringLiteral("Tarvell");
    QMessageBox::critical(parent, title, message);
    g_showing = false;
}

void ShowFileError(QWidget* parent, const EFileError& error) {
    ShowErrorBox(error.message(), parent);
}

void SetErrorBoxHandler(ErrorBoxHandler handler) {
    g_handler = std::move(handler);
}
