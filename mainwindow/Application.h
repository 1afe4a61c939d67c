#pragma once
// The application object. An exception that escapes an event handler (a
// file that could not be written, say) is shown in the general error box,
// and the program goes on.

#include <QApplication>
#include <functional>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an escaped exception; tests replace it.
    using ErrorBox = std::function<void(const QString& message)>;
    static void SetErrorBox(ErrorBox box);
    static void ShowError(const QString& message);

    // The Desktop services of the core, backed by the real desktop.
    static void InstallDesktopServices();
};
