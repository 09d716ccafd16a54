#include "app/KestrelApp.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "app/PList.h"
#include "app/about.h"
#include "check/CheckForm.h"
#include "check/DayPlanForm.h"
#include "playlist/PLData.h"
#include "settings/DisplaySettings.h"
#include "settings/TPSetting.h"
#include "storage/OpenCommand.h"
#include "timesections/TimerList.h"

namespace kestrel {

KestrelApp::KestrelApp()
    : ed(platform),
      AboutFrm([this] { return MakeDialog<TAboutFrm>(true); }),
      PLForm([this] { return MakeDialog<TPLForm>(true, ed); }),
      SettingForm([this] { return MakeDialog<TSettingForm>(true, ed); }),
      TLForm([this] { return MakeDialog<TTLForm>(true, ed); }),
      CheckForm([this] {
          auto check = MakeDialog<TCheckForm>(true, ed);
          QObject::connect(check.get(), &TCheckForm::FindingChosen, Form1.get(), &TForm1::ChooseSection);
          return check;
      }),
      DayPlanForm([this] {
          // The day plan leaves the main window usable and follows every change.
          auto plan = MakeDialog<TDayPlanForm>(false, ed);
          QObject::connect(plan.get(), &TDayPlanForm::SectionChosen, Form1.get(),
                           [this](int section) { Form1->ChooseSection(section); });
          QObject::connect(Form1.get(), &TForm1::ViewSynced, plan.get(), &TDayPlanForm::Refresh);
          QObject::connect(Form1.get(), &TForm1::Closing, plan.get(), &QWidget::close);
          return plan;
      }) {
    Form1 = std::make_unique<TForm1>(ed);
    platform.setParent(Form1.get());
    platform.setBeforeBox([this] { Form1->SyncTitle(); });
    SettingFormCreate(ed);  // sets the display, fits the panel
    Form1->setDialogs({[this] { return AboutFrm.get(); }, [this] { return PLForm.get(); },
                       [this] { return SettingForm.get(); }, [this] { return TLForm.get(); },
                       [this] { return CheckForm.get(); }, [this] { return DayPlanForm.get(); }});
    Form1->SyncView();
}

template <class T, class... Args>
std::unique_ptr<T> KestrelApp::MakeDialog(bool refreshesMain, Args&... args) {
    auto dialog = std::make_unique<T>(Form1.get(), args...);
    if (refreshesMain) Form1->RefreshAfter(dialog.get());
    return dialog;
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
    platform.setBeforeBox(nullptr);
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
