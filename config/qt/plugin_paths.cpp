#include "config/qt/plugin_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

namespace krovan {

void UseSystemPluginsOnly() {
  QStringList paths;
  for (const QString& path :
       qEnvironmentVariable("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
    paths.append(QDir(path).canonicalPath());
  }
  paths.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
  paths.removeAll(QString());
  QCoreApplication::setLibraryPaths(paths);
}

}  // namespace krovan
