#include "mainwindow/Startup.h"

int main(int argc, char** argv) {
    return RunTarvell(argc, argv);
}
