#include "ui/Resources.h"

#include <QtGlobal>

void KestrelInitResources() {
    static bool done = false;
    if (done) return;
    done = true;
    Q_INIT_RESOURCE(kestrel);
}
