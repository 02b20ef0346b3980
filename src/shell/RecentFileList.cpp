#include "RecentFileList.h"

#include "AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char* const kGroup = "Recent File List";

QString normalised(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
}  // namespace

void RecentFileList::load()
{
    entries_.clear();
    auto settings = AppSettings::open();
    settings->beginGroup(QLatin1String(kGroup));
    for (int i = 1; i <= kSize; ++i) {
        const QString value = settings->value(QStringLiteral("File%1").arg(i)).toString();
        if (!value.isEmpty() && !entries_.contains(value))
            entries_.append(value);
    }
    settings->endGroup();
}

void RecentFileList::save() const
{
    auto settings = AppSettings::open();
    settings->beginGroup(QLatin1String(kGroup));
    for (int i = 1; i <= kSize; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= size())
            settings->setValue(key, entries_.at(i - 1));
        else
            settings->remove(key);
    }
    settings->endGroup();
    settings->sync();
}

void RecentFileList::add(const QString& path)
{
    const QString name = normalised(path);
    removePath(name);
    entries_.prepend(name);
    while (size() > kSize)
        entries_.removeLast();
}

void RecentFileList::remove(int index)
{
    if (index >= 0 && index < size())
        entries_.removeAt(index);
}

void RecentFileList::removePath(const QString& path)
{
    const QString name = normalised(path);
    for (int i = size() - 1; i >= 0; --i)
        if (QFileInfo(entries_.at(i)) == QFileInfo(name) || entries_.at(i) == name)
            entries_.removeAt(i);
}

QString RecentFileList::menuText(int index) const
{
    const QString& path = entries_.at(index);
    QString shown = path;
    if (QFileInfo(path).absolutePath() == QDir::currentPath())
        shown = QFileInfo(path).fileName();
    // A literal ampersand in a file name must not become a mnemonic.
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
