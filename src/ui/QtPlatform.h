#pragma once
// The desktop side of the Platform seam: Qt message boxes, file dialogs and the picture check.

#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <chrono>
#include <functional>

#include "model/Platform.h"

class QWidget;

namespace kestrel {

class QtPlatform : public Platform {
public:
    // parent: the window the boxes and file dialogs belong to (may be set later).
    explicit QtPlatform(QWidget* parent = nullptr);
    ~QtPlatform() override;
    void setParent(QWidget* parent);

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override;
    std::string OpenFile(const std::string& filter, const std::string& initialDir) override;
    std::vector<std::string> OpenFiles(const std::string& filter,
                                       const std::string& initialDir) override;
    std::string SaveFile(const std::string& filter, const std::string& initialDir) override;
    std::optional<std::string> PictureProblem(const std::string& path) override;
    // Runs the job on a thread of its own while the event loop goes on: the windows
    // paint, input to them is dropped, and once the job has run for more than half a
    // second a dialog shows the file, the bytes done of the total, the speed and Cancel.
    // A failure the job throws is thrown again here.
    void RunJob(const Job& job) override;
    // QSettings of the application's organisation and name.
    std::string Setting(const std::string& key) override;
    void SetSetting(const std::string& key, const std::string& value) override;

    // Runs before each box shows, so that the windows behind it show what the work so far
    // has done (a save's title without its "*" under "Save completed!").
    void setBeforeBox(std::function<void()> fn) { beforeBox_ = std::move(fn); }

    // The clock the half second and the speed are measured with (tests make time pass).
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // The progress dialog while it is shown, else null.
    QProgressDialog* progressDialog() const;

    // "Text (*.EXT)|*.EXT|Pictures (*.jpg;*.bmp)|*.jpg;*.bmp" ->
    // "Text (*.EXT);;Pictures (*.jpg *.bmp)": caption and pattern pairs as Qt reads them.
    static QString QtFilter(const std::string& filter);

private:
    void ShowProgress(const JobProgress& progress, std::chrono::steady_clock::duration elapsed,
                      std::atomic<bool>& cancel);
    void ShowCancelling();
    void EndProgress();

    QWidget* parent_;
    Clock clock_ = [] { return std::chrono::steady_clock::now(); };
    std::function<void()> beforeBox_;
    QPointer<QProgressDialog> progress_;  // a child of parent_, which may go first
    QMetaObject::Connection cancelLink_;  // its Cancel to the running job's flag
};

}  // namespace kestrel
