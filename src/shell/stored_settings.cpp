#include "shell/stored_settings.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace {

constexpr const char* kRecentKey = "files/recentMissions";
constexpr const char* kLastFolderKey = "files/lastFolder";

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qzmed"),
                                       QStringLiteral("qzmed"));
}

} // namespace

std::vector<std::string> shell_StoredRecentMissions() {
    std::vector<std::string> paths;
    // Paths are stored as the file system names them, decoded as Qt decodes file names.
    for (const QString& path : userSettings()->value(QLatin1String(kRecentKey)).toStringList())
        paths.push_back(QFile::encodeName(path).toStdString());
    return paths;
}

void shell_StoreRecentMissions(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& path : paths)
        list << QFile::decodeName(path.c_str());
    userSettings()->setValue(QLatin1String(kRecentKey), list);
}

QString shell_StoredLastFolder() {
    return userSettings()->value(QLatin1String(kLastFolderKey)).toString();
}

void shell_StoreLastFolder(const QString& folder) {
    userSettings()->setValue(QLatin1String(kLastFolderKey), folder);
}
