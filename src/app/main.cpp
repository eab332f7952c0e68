#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Quavix 2");
    window.setFixedSize(395, 380);
    window.show();
    return app.exec();
}
