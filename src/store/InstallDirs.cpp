#include "store/InstallDirs.h"

#include <QDir>
#include <QFileInfo>

namespace urn {

namespace {
InstallDirs g_dirs;

// The entry of `dir` whose name equals `component` regardless of case; the
// exact name wins when several differ only in case.
QString matchComponent(const QString& dir, const QString& component) {
    const QString direct = dir + component;
    if (QFileInfo::exists(direct))
        return component;
    QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    const QStringList entries =
        d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(component, Qt::CaseInsensitive) == 0)
            return e;
    return component;
}
} // namespace

QString findFileNoCase(const QString& dir, const QString& name) {
    QString path = dir;
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        path += matchComponent(path, parts.at(i));
        if (i + 1 < parts.size())
            path += QLatin1Char('/');
    }
    if (name.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

bool isSafeStationName(const QString& parameter) {
    if (parameter.trimmed().isEmpty())
        return false;
    if (parameter.contains(QLatin1Char('/')) || parameter.contains(QLatin1Char('\\')))
        return false;
    if (parameter == QLatin1String(".") || parameter.contains(QLatin1String("..")))
        return false;
    if (parameter.contains(QChar(0)))
        return false;
    return true;
}

StartupDecision decideLayout(const QString& executablePath, const QStringList& parameters) {
    StartupDecision d;
    const qsizetype slash = executablePath.lastIndexOf(QLatin1Char('/'));
    d.dirs.program = slash >= 0 ? executablePath.left(slash + 1) : QString();
    d.dirs.config = d.dirs.program;
    d.dirs.data = findFileNoCase(d.dirs.program, QStringLiteral("data/"));

    if (QFileInfo::exists(findFileNoCase(d.dirs.program, QStringLiteral("stanice.rcd")))) {
        d.layout = StartupLayout::SingleStation;
        return d;
    }
    if (parameters.size() == 1) {
        const QString& p = parameters.first();
        if (!isSafeStationName(p)) {
            d.layout = StartupLayout::MissingConfig;
            return d;
        }
        const QString dir = findFileNoCase(d.dirs.data, p + QLatin1Char('/'));
        d.dirs.config = dir;
        d.dirs.data = dir;
        const QFileInfo station(findFileNoCase(dir, QStringLiteral("STANICE.RCD")));
        d.layout = station.exists() && station.isFile() ? StartupLayout::MultiStation
                                                        : StartupLayout::MissingConfig;
        return d;
    }
    d.layout = StartupLayout::NoParameter;
    return d;
}

const InstallDirs& installDirs() {
    return g_dirs;
}
void setInstallDirs(const InstallDirs& dirs) {
    g_dirs = dirs;
}

QString programFile(const QString& name) {
    return findFileNoCase(g_dirs.program, name);
}
QString configFile(const QString& name) {
    return findFileNoCase(g_dirs.config, name);
}
QString dataFile(const QString& name) {
    return findFileNoCase(g_dirs.data, name);
}

} // namespace urn
