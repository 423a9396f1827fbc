#include "framework/qt/PlatformFailure.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// The folders the toolkit looks for platform plugins in.
QStringList PluginFolders()
{
    QStringList folders;
    const QByteArray own = qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!own.isEmpty()) {
        folders.append(QString::fromLocal8Bit(own));
    }
    for (const QString& path : QCoreApplication::libraryPaths()) {
        folders.append(path + QStringLiteral("/platforms"));
    }
    return folders;
}

// True when a plugin for the platform is found and loads; the name may carry options after ':'.
bool PluginLoads(const QString& platform)
{
    const QString key = platform.section(QLatin1Char(':'), 0, 0);
    for (const QString& folder : PluginFolders()) {
        const QDir plugins(folder);
        for (const QString& file : plugins.entryList(QDir::Files)) {
            QPluginLoader plugin(plugins.filePath(file));
            const QJsonArray keys = plugin.metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto& offered : keys) {
                if (offered.toString().compare(key, Qt::CaseInsensitive) == 0 && plugin.load()) {
                    return true;
                }
            }
        }
    }
    return false;
}

// True when a display is named but none of the platforms asked for has a plugin that loads: the
// platform, not the display, is then what failed.
bool PlatformCannotLoad(const QByteArray& asked)
{
    if (asked.isEmpty() || (qgetenv("DISPLAY").isEmpty() && qgetenv("WAYLAND_DISPLAY").isEmpty())) {
        return false;
    }
    // A list is tried in turn: "wayland;xcb".
    const QStringList platforms = QString::fromLocal8Bit(asked).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return std::none_of(platforms.begin(), platforms.end(), PluginLoads);
}

} // namespace

void PlatformFailure::End()
{
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    if (PlatformCannotLoad(asked)) {
        std::fprintf(stderr, "%s: the display platform \"%s\" (from QT_QPA_PLATFORM) could not be started\n",
                     program_invocation_short_name, asked.constData());
    } else {
        std::fprintf(stderr, "%s: no display available (set DISPLAY or WAYLAND_DISPLAY)\n",
                     program_invocation_short_name);
    }
    _exit(1);
}
