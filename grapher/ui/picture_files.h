// Pictures written to files: replaced atomically, a failure naming the file.
#pragma once

#include <QImage>
#include <QString>
#include <string>

#include "common/expected.h"
#include "common/failure.h"

namespace quillon::grapher {

// The failure to write a picture to path, for the reason given.
Failure PictureWriteFailure(const std::string& path, const QString& reason);

// The image as a PNG file; an empty (null) image is a failure.
Status SavePng(const QImage& image, const std::string& path);

}  // namespace quillon::grapher
