#pragma once
// The rows of the folder list: the chain of folders from the root down to
// the current folder, then the current folder's subfolders one level
// deeper. The chain is known at once; the subfolders are read on a thread
// of their own and come in through the event loop, so a folder of
// thousands of subfolders or a slow network share never holds the window
// up. A newer folder abandons the reading of the one before.

#include <QAbstractListModel>
#include <QFutureWatcher>
#include <QIcon>
#include <QLocale>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class FolderModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { PathRole = Qt::UserRole, DepthRole };

    explicit FolderModel(QObject *parent);
    ~FolderModel() override;

    // Shows the chain of folder, an absolute clean path, and starts reading
    // its subfolders. The row of folder itself is chainLength() - 1.
    void setFolder(const QString &folder);
    // Reads the subfolders of the folder shown again.
    void relist();
    // Sorts by the collation of locale from now on (until then, and when
    // not set, "Trip 2" before "Trip 10" with case ignored).
    void sortBy(const QLocale &locale);

    const QString &folder() const { return folder_; }
    int chainLength() const { return chainLength_; }
    // True while the subfolders are being read.
    bool listing() const { return watcher_ != nullptr; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    // Hidden on screen; a screen reader names the column by it.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Type-ahead's search: a name's start found with the player's case
    // rules (Turkish "i" finds "İzmir"), where Qt's own ignores them.
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

signals:
    // The subfolders of the folder shown have replaced those listed before.
    void subfoldersListed();

private:
    struct Row {
        QString name;
        QString path;
        int depth;
        bool open; // a folder of the chain, drawn open
    };

    void showSubfolders(const QStringList &names);

    QString folder_;
    std::vector<Row> rows_;
    int chainLength_ = 0;
    std::optional<QLocale> collation_;
    QFutureWatcher<QStringList> *watcher_ = nullptr;
    QIcon openIcon_;
    QIcon closedIcon_;
};

// The subfolders of folder as the list shows them: hidden ones left out,
// links to folders kept, names as nameFromDisk gives them, sorted by the
// locale's collation when one is given. Returns early, with what it has,
// once stop() answers true. Runs on any thread.
QStringList readSubfolders(const QString &folder, const std::optional<QLocale> &collation,
                           const std::function<bool()> &stop);
