#pragma once
// The about box ("AboutFrm"): our name, version and a few lines over our picture.

#include "ui/ConventionDialog.h"

class QLabel;

namespace kestrel {

class TAboutFrm : public ConventionDialog {
    Q_OBJECT
public:
    explicit TAboutFrm(QWidget* mainWindow);

protected:
    void FormShow() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* header_;
    QLabel* picture_;
    QWidget* texts_;
};

}  // namespace kestrel
