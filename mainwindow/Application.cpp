#include "mainwindow/Application.h"

#include "platform/Termination.h"
#include "runtime/Desktop.h"
#include "runtime/Errors.h"
#include "widgets/ErrorBox.h"
#include "widgets/ModalDialog.h"

#include <QMessageBox>
#include <exception>

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
    PlatformProcess::OnTermination(this, [] { TvxModalDialog::EndSession(); });
}
