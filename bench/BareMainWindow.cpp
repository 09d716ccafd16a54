// The anchors of the start-up benchmark: a bare QMainWindow of the editor's size and,
// built with ONE_LABEL, the same window showing one line of text, which is what any
// window with text pays for the fonts before its first frame.
#include <QApplication>
#include <QMainWindow>
#ifdef ONE_LABEL
#include <QLabel>
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(929, 737 + 21);  // the editor's client area and its menu bar
#ifdef ONE_LABEL
    (new QLabel("Main Window", &window))->setGeometry(10, 30, 180, 44);
#endif
    window.show();
    return app.exec();
}
