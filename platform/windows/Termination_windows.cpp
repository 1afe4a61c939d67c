#include "platform/Termination.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace PlatformProcess {

void OnTermination(QObject* context, std::function<void()> ended) {
    static bool installed = false;
    if (installed || !qGuiApp)
        return;
    installed = true;
    // Windows asks a GUI program to end through the session's end (logoff,
    // shutdown), which Qt reports as a request to commit data.
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, context,
                     [ended](QSessionManager&) { ended(); });
}

} // namespace PlatformProcess
