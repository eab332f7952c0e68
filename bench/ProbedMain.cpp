// The entry point of the trainer's benchmark build (quavix_bench): the program itself, with the probe of
// scripts/bench.sh installed before its window is built. The installed trainer has an entry point without
// it.
#include "BenchProbe.h"
#include "Program.h"

int main(int argc, char* argv[]) {
    return quavix::RunProgram(argc, argv, InstallBenchProbe);
}
