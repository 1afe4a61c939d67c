#include "mainwindow/Application.h"

#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"
#include "widgets/ModalDialog.h"

#include <QMessageBox>
#include <QSocketNotifier>
#include <exception>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The signal handler may only write a byte; the event loop reads it.
int terminationPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(terminationPipe[0], &byte, 1);
}
} // namespace
#endif

void TApplication::ShowOpenFailure(const QString& url) {
    // Not waited for: the window, and the dialog the user came from, go on
    // while the box tells where the page is.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tarvell"),
                                QStringLiteral("홈페이지를 열지 못했습니다.\n"
                                               "웹 브라우저에서 아래 주소를 열어 주십시오.\n\n") +
                                    url,
                                QMessageBox::Ok, owner);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("openFailedBox"));
    box->open();
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    TvxModalDialog::GuardModals();
}

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
    Desktop::SetOpenUrlHandler(&Desktop::OpenWithShell);
    Desktop::SetOpenFailedHandler(&ShowOpenFailure);
    Desktop::SetWarningHandler([](const QString& title, const QString& text) {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QMessageBox::warning(nullptr, title, t, QMessageBox::Ok);
    });
}

void TApplication::InstallTerminationHandler() {
#ifdef Q_OS_UNIX
    if (terminationPipe[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationPipe) != 0)
        return;
    for (int fd : terminationPipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    auto* notifier = new QSocketNotifier(terminationPipe[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [] {
        char buffer[16];
        while (::read(terminationPipe[1], buffer, sizeof buffer) > 0) {
        }
        TvxModalDialog::EndSession();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &action, nullptr);
#endif
}
