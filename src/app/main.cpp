#include "Program.h"

int main(int argc, char* argv[]) {
    return quavix::RunProgram(argc, argv);
}
