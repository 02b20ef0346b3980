#pragma once
// The list of the four most recently opened or saved files, kept in the
// per-user settings store (group "Recent File List", keys File1 ... File4)
// so that it survives restarts. Nothing else of the program is stored.

#include <QString>
#include <QStringList>

class RecentFileList {
public:
    static constexpr int kSize = 4;

    // Reads the list from the settings store.
    void load();
    // Writes it back; empty slots are removed from the store.
    void save() const;

    // Puts path at the top, removing an earlier entry for the same file and
    // dropping the oldest beyond four.
    void add(const QString& path);
    void remove(int index);
    void removePath(const QString& path);

    const QStringList& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }
    const QString& at(int index) const { return entries_.at(index); }

    // Menu text of entry index: "&1 name", the name shortened to the file
    // name when it lies in the current folder.
    QString menuText(int index) const;

private:
    QStringList entries_;
};
