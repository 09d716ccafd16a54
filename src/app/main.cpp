#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QMainWindow w;  // the main window comes with the editor shell
    w.setObjectName("Form1");
    w.show();
    return app.exec();
}
