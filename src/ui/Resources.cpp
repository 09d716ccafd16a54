#include "ui/Resources.h"

#include <QIconEngine>
#include <QtGlobal>

void KestrelInitResources() {
    static bool done = false;
    if (done) return;
    done = true;
    Q_INIT_RESOURCE(kestrel);
}

namespace {

class LazyIconEngine : public QIconEngine {
public:
    explicit LazyIconEngine(QStringList files) : files_(std::move(files)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyIconEngine(files_); }
    QString key() const override { return QStringLiteral("KestrelLazyIcon"); }

private:
    const QIcon& icon() {
        if (icon_.isNull())
            for (const QString& f : files_) icon_.addFile(f);
        return icon_;
    }
    QStringList files_;
    QIcon icon_;
};

}  // namespace

QIcon KestrelWindowIcon() {
    KestrelInitResources();
    return QIcon(new LazyIconEngine({":/kestrel/icons/kestrel-48.png", ":/kestrel/icons/kestrel-256.png"}));
}
