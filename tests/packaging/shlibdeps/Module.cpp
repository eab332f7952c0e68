#include <QTcpSocket>

extern "C" bool ModuleWorks() {
    QTcpSocket socket;
    return socket.state() == QAbstractSocket::UnconnectedState;
}
