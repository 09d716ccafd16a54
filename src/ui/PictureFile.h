#pragma once
// Pictures named by a project (backgrounds, playlist pictures) read as the player would
// show them: by their content, and only from a regular file, so that a named pipe or a
// device in a received folder cannot hang the editor or the tool.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <string>

#include "storage/SafeFiles.h"

namespace kestrel {

// The picture, or a null image with the reason in *problem when it cannot be shown.
inline QImage ReadPictureFile(const std::string& path, QString* problem = nullptr) {
    RegularFile opened(path);
    if (opened.Fd() < 0) {
        if (problem) *problem = QString::fromStdString(opened.Problem());
        return {};
    }
    QFile file;
    file.open(opened.Release(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    QImageReader reader(&file);
    QImage picture = reader.read();  // read whole: damaged data cannot be shown either
    if (picture.isNull() && problem) *problem = reader.errorString();
    return picture;
}

}  // namespace kestrel
