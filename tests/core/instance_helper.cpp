// Usage: instance_helper <program folder> <lock folder>
// Prints ACQUIRED or REFUSED (after any WARNING line), then for an acquired
// mark waits until standard input closes.
#include "core/ProjectInfo.h"
#include "runtime/Desktop.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    Desktop::SetWarningHandler([](const QString&, const QString& text) {
        std::printf("WARNING:%s\n", text.toUtf8().replace("\r\n", "|").constData());
    });
    TvxPrjInfo info(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    const bool only = info.CheckSingleInstance();
    std::printf("%s\n", only ? "ACQUIRED" : "REFUSED");
    std::fflush(stdout);
    if (only) {
        std::string line;
        std::getline(std::cin, line);
    }
    return only ? 0 : 1;
}
