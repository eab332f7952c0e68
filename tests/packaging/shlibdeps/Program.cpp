// Links Qt Core, as the program does. The lightest header that declares one of its functions keeps the
// test quick to build.
#include <QtCore/qglobal.h>

int main() {
    return qVersion() != nullptr ? 0 : 1;
}
