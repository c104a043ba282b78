#include "grapher/ui/picture_files.h"

#include <QSaveFile>

namespace quillon::grapher {

Failure PictureWriteFailure(const std::string& path, const QString& reason) {
  return Failure{FailureKind::CannotWriteFile, path, 0, reason.toStdString()};
}

Status SavePng(const QImage& image, const std::string& path) {
  if (image.isNull()) return PictureWriteFailure(path, QStringLiteral("the picture is empty"));
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
    return PictureWriteFailure(path, file.errorString());
  return Success();
}

}  // namespace quillon::grapher
