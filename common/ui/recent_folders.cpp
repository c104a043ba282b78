#include "common/ui/recent_folders.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <utility>

namespace quillon {
namespace {

constexpr auto kKey = "RecentProgramFolders";

}  // namespace

RecentFolders::RecentFolders(QString settingsFile) : file_(std::move(settingsFile)) {}

QString RecentFolders::UserSettingsFile() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
      .filePath(QStringLiteral("quillon/quillon.ini"));
}

QStringList RecentFolders::folders() const {
  const QSettings settings(file_, QSettings::IniFormat);
  QStringList folders;
  // A hand-edited file may repeat a folder or name one in another spelling.
  for (const QString& folder : settings.value(QLatin1String(kKey)).toStringList()) {
    const QString name = CanonicalFolderName(folder);
    if (!folder.isEmpty() && !folders.contains(name)) folders << name;
  }
  return folders.mid(0, kLimit);
}

void RecentFolders::add(const QString& folder) {
  QStringList folders = this->folders();
  const QString name = CanonicalFolderName(folder);
  folders.removeAll(name);
  folders.prepend(name);
  store(folders.mid(0, kLimit));
}

void RecentFolders::remove(const QString& folder) {
  QStringList folders = this->folders();
  if (folders.removeAll(CanonicalFolderName(folder)) > 0) store(folders);
}

void RecentFolders::store(const QStringList& folders) {
  QSettings settings(file_, QSettings::IniFormat);
  settings.setValue(QLatin1String(kKey), folders);
  settings.sync();
}

QString CanonicalFolderName(const QString& folder) {
  return QDir::cleanPath(QDir(folder).absolutePath());
}

}  // namespace quillon
