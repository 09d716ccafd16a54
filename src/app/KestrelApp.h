#pragma once
// The whole program in one object: the editor core, its desktop seam, the main window
// and its dialogs, each dialog built when first used. main() runs it; tests build it
// in-process.

#include <QStringList>
#include <memory>

#include "model/Editor.h"
#include "ui/Deferred.h"
#include "ui/QtPlatform.h"

namespace kestrel {

class TForm1;
class TAboutFrm;
class TPLForm;
class TSettingForm;
class TTLForm;
class TCheckForm;
class TDayPlanForm;

class KestrelApp {
public:
    KestrelApp();
    ~KestrelApp();

    // Centres the main window on its screen and shows it.
    void ShowMain();
    // `kestrel FILE.XML`: opens the project named after the program, as Open would,
    // its failures shown in a box. Nothing happens without one.
    void OpenFromCommandLine(const QStringList& arguments);

    QtPlatform platform;
    Editor ed;
    std::unique_ptr<TForm1> Form1;
    Deferred<TAboutFrm> AboutFrm;
    Deferred<TPLForm> PLForm;
    Deferred<TSettingForm> SettingForm;
    Deferred<TTLForm> TLForm;
    Deferred<TCheckForm> CheckForm;
    Deferred<TDayPlanForm> DayPlanForm;

private:
    // Builds a dialog over the main window; a dialog that can change the project has
    // the main window refresh when it closes.
    template <class T, class... Args>
    std::unique_ptr<T> MakeDialog(bool refreshesMain, Args&... args);
};

}  // namespace kestrel
