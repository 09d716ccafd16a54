#include <QApplication>

#include "app/KestrelApp.h"
#include "ui/FontConfiguration.h"
#include "ui/Resources.h"

int main(int argc, char** argv) {
    kestrel::StartReadingFontConfiguration();
    QApplication app(argc, argv);
    // Settings live under the names the desktop package uses.
    QApplication::setOrganizationName("kestrel.org");
    QApplication::setOrganizationDomain("kestrel.org");
    QApplication::setApplicationName("Kestrel");
    KestrelInitResources();
    QApplication::setWindowIcon(KestrelWindowIcon());

    kestrel::KestrelApp kestrel;
    kestrel.ShowMain();
    kestrel.OpenFromCommandLine(QApplication::arguments());
    return app.exec();
}
