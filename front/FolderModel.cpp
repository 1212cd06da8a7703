#include "FolderModel.h"

#include "DiskNames.h"
#include "LocaleText.h"
#include "PictureFileList.h"
#include "PngFile.h"

#include <QApplication>
#include <QCollator>
#include <QPromise>
#include <QStyle>

#include <algorithm>
#include <memory>
#include <thread>

namespace {

constexpr int kIconSide = 16;

QString childPath(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

// The classic open and closed folders, drawn by Qt's own styles and read
// here as the PNG files they are (Qt's reader, left to guess the type,
// would ask every image plugin about them). The desktop's icon theme is not
// asked: looking one up reads the theme's folders, which at start-up costs
// more than the whole folder list.
QIcon folderIcon(QStyle::StandardPixmap which, const char *builtInName)
{
    QIcon icon;
    for (const int size : {kIconSide, 2 * kIconSide}) { // a row's size, and that at double density
        const QImage image = tilemere::png::load(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png").arg(QLatin1String(builtInName)).arg(size),
            size * size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon.isNull() ? QApplication::style()->standardIcon(which) : icon;
}

} // namespace

QStringList readSubfolders(const QString &folder, const std::optional<QLocale> &collation,
                           const std::function<bool()> &stop)
{
    // Hidden folders are left out, as the picture list leaves out hidden files.
    QStringList names = tilemere::readFolder(folder, tilemere::EntryType::Folder, {}, stop);
    if (collation) {
        QCollator collator(*collation);
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(names.begin(), names.end(), [&collator](const QString &a, const QString &b) {
            const int order = collator.compare(a, b);
            return order != 0 ? order < 0 : a < b; // a total order, whatever the collation
        });
    } else {
        std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return naturalCompare(a, b) < 0; });
    }
    return names;
}

FolderModel::FolderModel(QObject *parent) : QAbstractListModel(parent) {}

FolderModel::~FolderModel()
{
    if (watcher_)
        watcher_->cancel();
}

void FolderModel::setFolder(const QString &folder)
{
    if (openIcon_.isNull()) {
        openIcon_ = folderIcon(QStyle::SP_DirOpenIcon, "diropen");
        closedIcon_ = folderIcon(QStyle::SP_DirClosedIcon, "dirclosed");
    }
    beginResetModel();
    folder_ = folder;
    rows_.clear();
    rows_.push_back({QStringLiteral("/"), QStringLiteral("/"), 0, true});
    QString walked = QStringLiteral("/");
    for (const QString &part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked = childPath(walked, part);
        rows_.push_back({part, walked, static_cast<int>(rows_.size()), true});
    }
    chainLength_ = static_cast<int>(rows_.size());
    endResetModel();
    relist();
}

void FolderModel::relist()
{
    if (watcher_) {
        watcher_->cancel();
        watcher_->disconnect(this);
        watcher_->deleteLater();
    }
    // The thread owns its promise and nothing of this model: a share that
    // answers only after the window has closed keeps nothing waiting.
    QPromise<QStringList> promise;
    watcher_ = new QFutureWatcher<QStringList>(this);
    watcher_->setFuture(promise.future());
    connect(watcher_, &QFutureWatcherBase::finished, this, [this, watcher = watcher_] {
        if (watcher != watcher_)
            return;
        watcher_ = nullptr;
        watcher->deleteLater();
        if (!watcher->isCanceled() && watcher->future().resultCount() > 0)
            showSubfolders(watcher->result());
    });
    std::thread([promise = std::move(promise), folder = folder_, collation = collation_]() mutable {
        promise.start();
        QStringList names = readSubfolders(folder, collation, [&promise] { return promise.isCanceled(); });
        if (!promise.isCanceled())
            promise.addResult(std::move(names));
        promise.finish();
    }).detach();
}

void FolderModel::sortBy(const QLocale &locale)
{
    // A locale without a collation of its own ("C", "POSIX") would sort by
    // code points, putting "Ärger" after "zebra"; the common one is meant.
    collation_ = locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

void FolderModel::showSubfolders(const QStringList &names)
{
    QStringList listed;
    for (auto row = rows_.begin() + chainLength_; row != rows_.end(); ++row)
        listed << row->name;
    if (listed == names)
        return;
    beginResetModel();
    rows_.resize(static_cast<std::size_t>(chainLength_));
    const QString folder = rows_.back().path; // a copy: the rows grow below
    for (const QString &name : names)
        rows_.push_back({name, childPath(folder, name), chainLength_, false});
    endResetModel();
    emit subfoldersListed();
}

int FolderModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QModelIndexList FolderModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                   Qt::MatchFlags flags) const
{
    const bool typeAhead = role == Qt::DisplayRole && (flags & Qt::MatchTypeMask) == Qt::MatchStartsWith &&
                           !(flags & Qt::MatchCaseSensitive) && value.typeId() == QMetaType::QString;
    if (!typeAhead)
        return QAbstractListModel::match(start, role, value, hits, flags);
    const QString typed = value.toString();
    const QLocale locale;
    QModelIndexList found;
    const int count = rowCount();
    const int first = qBound(0, start.row(), count);
    const int last = flags & Qt::MatchWrap ? first + count : count;
    for (int r = first; r < last && (hits < 0 || found.size() < hits); ++r) {
        const Row &row = rows_[static_cast<std::size_t>(r % count)];
        if (tilemere::startsWithFolded(row.name, typed, locale))
            found << index(r % count);
    }
    return found;
}

QVariant FolderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QCoreApplication::translate("FolderList", "Folders");
    return {};
}

QVariant FolderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return row.name;
    case Qt::DecorationRole:
        return row.open ? openIcon_ : closedIcon_;
    case PathRole:
        return row.path;
    case DepthRole:
        return row.depth;
    default:
        return {};
    }
}
