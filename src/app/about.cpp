#include "app/about.h"

#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

#ifndef KESTREL_VERSION
#define KESTREL_VERSION "0.0.0"
#endif
#ifndef KESTREL_RELEASE_DATE
#define KESTREL_RELEASE_DATE "2026"
#endif

namespace kestrel {

TAboutFrm::TAboutFrm(QWidget* mainWindow) : ConventionDialog(mainWindow) {
    setObjectName("AboutFrm");
    setWindowTitle("AboutFrm");
    // A system menu and the close box only; the box is sizeable and has no buttons.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    resize(476, 338);

    header_ = new QLabel("About", this);
    header_->setObjectName("Label_Header");
    header_->setAutoFillBackground(true);
    QPalette hp = header_->palette();
    hp.setColor(QPalette::Window, QColor(166, 202, 240));
    hp.setColor(QPalette::WindowText, QColor(0, 0, 128));
    header_->setPalette(hp);
    QFont hf = header_->font();
    hf.setPointSize(18);
    hf.setBold(true);
    header_->setFont(hf);
    header_->setIndent(14);

    picture_ = new QLabel(this);
    picture_->setObjectName("Image_About");
    picture_->setScaledContents(true);

    texts_ = new QWidget(this);
    texts_->setObjectName("Panel_Texts");
    auto* column = new QVBoxLayout(texts_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto addLine = [&](const char* name, const QString& text, int points) {
        auto* label = new QLabel(text, texts_);
        label->setObjectName(name);
        label->setAttribute(Qt::WA_TranslucentBackground);
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, QColor(173, 216, 255));
        label->setPalette(lp);
        QFont f = label->font();
        f.setBold(true);
        f.setPointSize(points);
        label->setFont(f);
        column->addWidget(label);
        return label;
    };
    addLine("Label_Name", "Kestrel", 26);
    addLine("Label_Version", QString("Version %1").arg(KESTREL_VERSION), 11);
    addLine("Label_Date", QString("Released %1").arg(KESTREL_RELEASE_DATE), 10);
    column->addSpacing(10);
    addLine("Label_Author", "Made by the Kestrel team", 10);
    addLine("Label_Contact1", "Programmes for shop and", 9);
    addLine("Label_Contact2", "station display players", 9);
    column->addStretch(1);
}

// The picture is read when the box is first shown, not at start-up.
void TAboutFrm::FormShow() {
    if (!picture_->pixmap().isNull()) return;
    picture_->setPixmap(QPixmap(":/kestrel/about.png"));
}

void TAboutFrm::resizeEvent(QResizeEvent* event) {
    ConventionDialog::resizeEvent(event);
    const int w = width(), h = height();
    header_->setGeometry(0, 0, w, 41);
    picture_->setGeometry(0, 41, w, h - 41);
    texts_->setGeometry(w / 2, 41 + 28, w - w / 2 - 8, h - 41 - 36);
}

}  // namespace kestrel
