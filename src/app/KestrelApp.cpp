#include "app/KestrelApp.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "app/PList.h"
#include "app/about.h"
#include "check/CheckForm.h"
#include "check/DayPlanForm.h"
#include "playlist/PLData.h"
#include "settings/TPSetting.h"
#include "storage/OpenCommand.h"
#include "timesections/TimerList.h"

namespace kestrel {

KestrelApp::KestrelApp() : ed(platform) {
    Form1 = std::make_unique<TForm1>(ed);
    platform.setParent(Form1.get());
    AboutFrm = std::make_unique<TAboutFrm>(Form1.get());
    PLForm = std::make_unique<TPLForm>(Form1.get(), ed);
    SettingForm = std::make_unique<TSettingForm>(Form1.get(), ed);  // sets the display, fits the panel
    TLForm = std::make_unique<TTLForm>(Form1.get(), ed);
    CheckForm = std::make_unique<TCheckForm>(Form1.get(), ed);
    DayPlanForm = std::make_unique<TDayPlanForm>(Form1.get(), ed);
    QObject::connect(CheckForm.get(), &TCheckForm::FindingChosen, Form1.get(), &TForm1::ChooseSection);
    QObject::connect(DayPlanForm.get(), &TDayPlanForm::SectionChosen, Form1.get(),
                     [this](int section) { Form1->ChooseSection(section); });
    QObject::connect(Form1.get(), &TForm1::ViewSynced, DayPlanForm.get(), &TDayPlanForm::Refresh);
    Form1->setDialogs({AboutFrm.get(), PLForm.get(), SettingForm.get(), TLForm.get(), CheckForm.get(),
                       DayPlanForm.get()});
    Form1->SyncView();
}

// Dialogs go first: they refer to the main window.
KestrelApp::~KestrelApp() {
    DayPlanForm.reset();
    CheckForm.reset();
    TLForm.reset();
    SettingForm.reset();
    PLForm.reset();
    AboutFrm.reset();
    platform.setParent(nullptr);
    Form1.reset();
}

static void CentreOnScreen(QWidget& w) {
    QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = w.frameGeometry().size();
    w.move(area.left() + (area.width() - size.width()) / 2, area.top() + (area.height() - size.height()) / 2);
}

// Centred before it is shown so that it does not jump, and again once the frame's
// size is known.
void KestrelApp::ShowMain() {
    Form1->adjustSize();
    CentreOnScreen(*Form1);
    const QSize before = Form1->frameGeometry().size();
    Form1->show();
    if (Form1->frameGeometry().size() != before) CentreOnScreen(*Form1);
}

void KestrelApp::OpenFromCommandLine(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments[1].isEmpty()) return;
    // The project folder is where the file is, wherever the program was started from.
    const std::string path = QFileInfo(arguments[1]).absoluteFilePath().toStdString();
    Form1->RunCommand([&] { OpenProjectFile(ed, path); });
}

}  // namespace kestrel
