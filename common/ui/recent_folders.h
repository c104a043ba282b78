// The program folders a user opened last, kept in the user's own Qt settings
// (never in setting.ini), shared by both programs.
#pragma once

#include <QString>
#include <QStringList>

namespace quillon {

class RecentFolders {
 public:
  // How many folders are remembered.
  static constexpr int kLimit = 6;

  // The list kept in settingsFile (an INI file, made when first written).
  explicit RecentFolders(QString settingsFile);

  // The user's own: $XDG_CONFIG_HOME/quillon/quillon.ini.
  static QString UserSettingsFile();

  // Most recent first, without repeats.
  QStringList folders() const;
  // Puts folder first (once), dropping the oldest beyond kLimit.
  void add(const QString& folder);
  void remove(const QString& folder);

 private:
  void store(const QStringList& folders);

  QString file_;
};

// The folder as the list keeps it: absolute, cleaned, no trailing "/".
QString CanonicalFolderName(const QString& folder);

}  // namespace quillon
