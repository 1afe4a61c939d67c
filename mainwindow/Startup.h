#pragma once
// The whole life of the program, from the instance check to the release of
// the long-lived objects. The program entry only calls this.

int RunTarvell(int argc, char** argv);
