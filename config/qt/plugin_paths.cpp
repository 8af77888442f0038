#include "config/qt/plugin_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>

namespace krovan {

// Qt appends the program's folder to the plugin folders when the application object is made,
// and then takes back what setLibraryPaths removed from the folders it found before. So the
// program's folder is made one of those, for the moment setLibraryPaths looks, by naming it in
// QT_PLUGIN_PATH, and setLibraryPaths leaves it out; the user's QT_PLUGIN_PATH is put back
// before anything else reads it. tests/qt/planted_plugins.sh shows that nothing there is opened.
void UseSystemPluginsOnly() {
  const QString user_paths = qEnvironmentVariable("QT_PLUGIN_PATH");
  const bool had_user_paths = qEnvironmentVariableIsSet("QT_PLUGIN_PATH");
  QStringList paths;
  for (const QString& path : user_paths.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
    paths.append(QDir(path).canonicalPath());
  }
  paths.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
  paths.removeAll(QString());

  const QString program_folder = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).path();
  qputenv(
      "QT_PLUGIN_PATH",
      (user_paths.isEmpty() ? program_folder : user_paths + QDir::listSeparator() + program_folder)
          .toLocal8Bit());
  QCoreApplication::setLibraryPaths(paths);
  if (had_user_paths) {
    qputenv("QT_PLUGIN_PATH", user_paths.toLocal8Bit());
  } else {
    qunsetenv("QT_PLUGIN_PATH");
  }
}

}  // namespace krovan
