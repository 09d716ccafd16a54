#pragma once
// The whole program in one object: the editor core, its desktop seam and the five
// windows, created in start-up order. main() runs it; tests build it in-process.

#include <QStringList>
#include <memory>

#include "model/Editor.h"
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
    std::unique_ptr<TAboutFrm> AboutFrm;
    std::unique_ptr<TPLForm> PLForm;
    std::unique_ptr<TSettingForm> SettingForm;
    std::unique_ptr<TTLForm> TLForm;
    std::unique_ptr<TCheckForm> CheckForm;
    std::unique_ptr<TDayPlanForm> DayPlanForm;
};

}  // namespace kestrel
