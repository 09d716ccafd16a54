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

    // "Text (*.EXT)|*.EXT|Other (*.A)|*.A" -> "Text (*.EXT);;Other (*.A)": the captions
    // carry the patterns already; a caption without them gets its pattern appended.
    static QString QtFilter(const std::string& filter);

private:
    QWidget* parent_;
};

}  // namespace kestrel
