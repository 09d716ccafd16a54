#pragma once
// The desktop side of the Platform seam: Qt message boxes, file dialogs and the picture check.

#include <QString>

#include "model/Platform.h"

class QWidget;

namespace kestrel {

class QtPlatform : public Platform {
public:
    // parent: the window the boxes and file dialogs belong to (may be set later).
    explicit QtPlatform(QWidget* parent = nullptr);
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer Message(const std::string& caption, const std::string& text, Buttons buttons,
                   Icon icon) override;
    std::string OpenFile(const std::string& filter, const std::string& initialDir) override;
    std::vector<std::string> OpenFiles(const std::string& filter,
                                       const std::string& initialDir) override;
    std::string SaveFile(const std::string& filter, const std::string& initialDir) override;
    std::optional<std::string> PictureProblem(const std::string& path) override;

    // "Text (*.EXT)|*.EXT|Pictures (*.jpg;*.bmp)|*.jpg;*.bmp" ->
    // "Text (*.EXT);;Pictures (*.jpg *.bmp)": caption and pattern pairs as Qt reads them.
    static QString QtFilter(const std::string& filter);

private:
    QWidget* parent_;
};

}  // namespace kestrel
