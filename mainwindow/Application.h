#pragma once
// The application object. An exception that escapes an event handler (a
// file that could not be written, say) is shown in the general error box,
// and the program goes on.

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The Desktop services of the core, backed by the real desktop.
    static void InstallDesktopServices();
    // A page the desktop could not open: a box that names its address.
    static void ShowOpenFailure(const QString& url);

    // A request to terminate (the system shutting down, the session ending,
    // Ctrl+C in a terminal) ends the event loop like the quit command, so
    // that what is saved on the way out is saved. Safe to call more than once.
    void InstallTerminationHandler();
};
