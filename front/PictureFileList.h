#pragma once
// The picture files of one folder, never shown. It answers the
// browser's questions (how many, which name at an index) and names the
// picture a new game is cut from.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

// Natural order of two names, as strcmp answers: "2" before "10", case
// ignored (and only then heeded, so that the order is total).
int naturalCompare(const QString &a, const QString &b);

class PictureFileList {
public:
    PictureFileList() = default;
    // An empty list of folder, for while it is being read.
    explicit PictureFileList(QString folder) : path_(std::move(folder)) {}

    // Reads the folder: the regular files (links followed) of the picture
    // types offered, in any letter case, hidden ones left out, in natural
    // order ("2.jpg" before "10.jpg", case ignored). A folder that cannot be
    // read lists nothing. Waits on the disk: call it off the window's thread.
    // stopped is asked now and then; once it says true the reading ends
    // with an incomplete list, which the caller throws away.
    static PictureFileList read(const QString &folder, const std::function<bool()> &stopped = {});

    const QString &path() const { return path_; }

    // The counts are 16-bit like the rest of the browser, so a folder gives
    // at most 32767 names.
    std::int16_t count() const { return static_cast<std::int16_t>(names_.size()); }
    // Precondition: 0 <= index < count().
    const QString &entry(int index) const { return names_.at(index); }
    // The index of the name, or -1.
    int indexOf(const QString &name) const { return static_cast<int>(names_.indexOf(name)); }
    // The folder, "/" and the name at index. Precondition as for entry().
    QString fullPath(int index) const;

private:
    QString path_;
    QStringList names_;
};
