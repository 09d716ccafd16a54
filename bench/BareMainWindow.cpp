// The anchor of the start-up benchmark: a bare QMainWindow of the editor's size.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(929, 737 + 21);  // the editor's client area and its menu bar
    window.show();
    return app.exec();
}
