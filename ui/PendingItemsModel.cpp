#include "PendingItemsModel.h"

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QMetaObject>
#include <algorithm>
#include <unordered_map>

#include "LocalPaths.h"

namespace fendry {

namespace {

// A folder must be watched under its own name; one whose bytes Qt cannot carry is not watched.
std::optional<QString> watchableName(const std::filesystem::path& folder) {
    const QByteArray bytes = QByteArray::fromStdString(withoutTrailingSlash(folder).native());
    const QString name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes ? std::optional(name) : std::nullopt;
}

// Where a symbolic link points, as the link says it; empty for anything else.
QString linkTargetOf(const std::filesystem::path& entry) {
    std::error_code notALink;
    const std::filesystem::path target = std::filesystem::read_symlink(entry, notALink);
    return notALink ? QString() : displayPathOf(target);
}

constexpr int kSettleMs = 500;

// Counting a large folder must never take a CPU that the window needs to draw; on Linux the
// nice value is the thread's own.
void yieldToTheWindow() {
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
}

}  // namespace

PendingItemsModel::PendingItemsModel(Executor inBackground,
                                     std::shared_ptr<const StorageProbe> probe, QObject* parent)
    : QAbstractListModel(parent),
      probe_(probe ? std::move(probe) : std::make_shared<const StorageProbe>()),
      inBackground_(std::move(inBackground)) {
    if (!inBackground_) {
        ownThread_ = std::make_unique<QThreadPool>();
        ownThread_->setMaxThreadCount(1);
        inBackground_ = [pool = ownThread_.get()](Task task) {
            pool->start([task = std::move(task)] {
                yieldToTheWindow();
                task();
            });
        };
    }
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &PendingItemsModel::countChangedFolders);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this](const QString& folder) {
        if (watching_) {
            changedFolders_.insert(folder);
            settle_.start();
        }
    });
}

// A fetch under way reports to this model: it must be over before the model goes.
PendingItemsModel::~PendingItemsModel() {
    if (ownThread_) {
        *stopping_ = true;  // a count under way ends at its next folder
        ownThread_->clear();
        ownThread_->waitForDone();
    }
}

int PendingItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PendingItemsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const auto i = static_cast<std::size_t>(index.row());
    const auto& entry = entries_[i].path;
    const Row& row = rows_[i];
    switch (role) {
        case KeyRole: return entryKeyOf(entry);
        case Qt::DisplayRole:
        case NameRole: return displayNameOf(entry);
        case PathRole: return displayPathOf(withoutTrailingSlash(entry));
        case IsFolderRole: return isFolder(entry);
        case ItemCountRole: return static_cast<qint64>(row.fileCount.value_or(0));
        case CountedRole: return row.fileCount.has_value();
        case LinkTargetRole: return row.linkTarget;
        default: return {};
    }
}

QHash<int, QByteArray> PendingItemsModel::roleNames() const {
    return {{KeyRole, "key"},
            {NameRole, "name"},
            {PathRole, "path"},
            {IsFolderRole, "isFolder"},
            {ItemCountRole, "itemCount"},
            {CountedRole, "counted"},
            {LinkTargetRole, "linkTarget"}};
}

Intake PendingItemsModel::add(const std::filesystem::path& received) {
    if (refusalOf(received)) {
        return Intake::Refused;
    }
    // The entry checked here, not the rule run again: a second look at the disk would cost
    // the same calls once more, and could come to another entry than the row was made for.
    return add(chooseItem(received));
}

Intake PendingItemsModel::add(PendingItem item) {
    if (indexOf(item.path) >= 0) {
        return Intake::AlreadyPending;
    }
    const int index = rowCount();
    Row row;
    row.id = nextId_++;
    const bool folder = isFolder(item.path);
    if (!folder) {
        row.fileCount = countFiles(item.path);  // no walk: an entry that is not a folder is 1 or 0
        row.linkTarget = linkTargetOf(item.path);
    } else if (const auto name = watchableName(item.path)) {
        watcher_.addPath(*name);
    }
    beginInsertRows({}, index, index);
    entries_.push_back(std::move(item));
    rows_.push_back(row);
    endInsertRows();
    emit countChanged();
    emit totalsChanged();
    request({{row.id, folder ? Counts | Storage : Storage}});
    return Intake::Added;
}

bool PendingItemsModel::remove(const std::filesystem::path& entry) {
    const int index = indexOf(entry);
    if (index < 0) {
        return false;
    }
    const bool wasRefreshing = isRefreshing();
    if (const auto name = watchableName(entry); name && isFolder(entry)) {
        watcher_.removePath(*name);
    }
    requested_.erase(rows_[static_cast<std::size_t>(index)].id);
    beginRemoveRows({}, index, index);
    entries_.erase(entries_.begin() + index);
    rows_.erase(rows_.begin() + index);
    endRemoveRows();
    emit countChanged();
    emit totalsChanged();
    refreshingMayHaveChanged(wasRefreshing);
    return true;
}

void PendingItemsModel::clear() {
    if (entries_.empty() && rows_.empty()) {
        return;
    }
    const bool wasRefreshing = isRefreshing();
    if (const QStringList watched = watcher_.directories(); !watched.isEmpty()) {
        watcher_.removePaths(watched);
    }
    requested_.clear();
    changedFolders_.clear();
    beginResetModel();
    entries_.clear();
    rows_.clear();
    endResetModel();
    emit countChanged();
    emit totalsChanged();
    refreshingMayHaveChanged(wasRefreshing);
}

qint64 PendingItemsModel::totalFiles() const {
    qint64 total = 0;
    for (const Row& row : rows_) {
        total += row.fileCount.value_or(0);
    }
    return total;
}

bool PendingItemsModel::totalKnown() const {
    return std::all_of(rows_.begin(), rows_.end(),
                       [](const Row& row) { return row.fileCount.has_value(); });
}

void PendingItemsModel::refresh(unsigned facts) {
    std::map<std::uint64_t, unsigned> wanted;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        // Only a folder's count can change; an entry that is not a folder always counts 1.
        if (const unsigned f = isFolder(entries_[i].path) ? facts : facts & ~Counts) {
            wanted[rows_[i].id] = f;
        }
    }
    request(wanted);
}

void PendingItemsModel::setWatching(bool watching) {
    watching_ = watching;
    if (!watching) {
        settle_.stop();
        changedFolders_.clear();
    }
}

std::vector<StorageCaution> PendingItemsModel::cautions() const {
    std::vector<StorageCaution> all;
    for (const Row& row : rows_) {
        all.insert(all.end(), row.cautions.begin(), row.cautions.end());
    }
    return all;
}

QString PendingItemsModel::keyAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return entryKeyOf(entries_[static_cast<std::size_t>(row)].path);
}

int PendingItemsModel::indexOf(const std::filesystem::path& entry) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const PendingItem& item) { return item.path == entry; });
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

void PendingItemsModel::request(const std::map<std::uint64_t, unsigned>& facts) {
    if (facts.empty()) {
        return;
    }
    const bool wasRefreshing = isRefreshing();
    for (const auto& [id, wanted] : facts) {
        requested_[id] |= wanted;
    }
    refreshingMayHaveChanged(wasRefreshing);
    startFetching();
}

// One fetch at a time: what is asked for meanwhile waits for the next, so a folder is never
// walked twice at once and results arrive in the order they were asked for.
void PendingItemsModel::startFetching() {
    if (running_ || requested_.empty()) {
        return;
    }
    struct Job {
        std::uint64_t id;
        std::filesystem::path entry;
        unsigned facts;
    };
    std::vector<Job> jobs;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (const auto found = requested_.find(rows_[i].id); found != requested_.end()) {
            jobs.push_back({rows_[i].id, entries_[i].path, found->second});
        }
    }
    requested_.clear();
    running_ = true;
    inBackground_([this, jobs = std::move(jobs), probe = probe_, stopping = stopping_] {
        std::vector<Fetched> fetched;
        for (const Job& job : jobs) {
            Fetched facts{job.id, std::nullopt, std::nullopt};
            if (job.facts & Counts) {
                facts.fileCount = countFiles(job.entry, stopping.get());
            }
            if (job.facts & Storage) {
                const auto storage = probe->factsOf(job.entry);
                facts.cautions = storage ? cautionsFor(*storage) : std::vector<StorageCaution>{};
            }
            fetched.push_back(std::move(facts));
        }
        QMetaObject::invokeMethod(
            this, [this, fetched = std::move(fetched)] { apply(fetched); }, Qt::QueuedConnection);
    });
}

void PendingItemsModel::apply(const std::vector<Fetched>& fetched) {
    const bool wasRefreshing = isRefreshing();
    std::unordered_map<std::uint64_t, std::size_t> rowOf;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rowOf.emplace(rows_[i].id, i);
    }
    for (const Fetched& facts : fetched) {
        const auto found = rowOf.find(facts.id);
        if (found == rowOf.end()) {
            continue;  // taken off the list meanwhile
        }
        Row& row = rows_[found->second];
        if (facts.fileCount) {
            row.fileCount = facts.fileCount;
        }
        if (facts.cautions) {
            row.cautions = *facts.cautions;
        }
        const QModelIndex index = this->index(static_cast<int>(found->second));
        emit dataChanged(index, index, {ItemCountRole, CountedRole});
    }
    running_ = false;
    emit totalsChanged();
    startFetching();
    refreshingMayHaveChanged(wasRefreshing);
}

void PendingItemsModel::countChangedFolders() {
    std::map<std::uint64_t, unsigned> wanted;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const auto name = watchableName(entries_[i].path);
        if (isFolder(entries_[i].path) && name && changedFolders_.contains(*name)) {
            wanted[rows_[i].id] = Counts;
        }
    }
    changedFolders_.clear();
    request(wanted);
}

void PendingItemsModel::refreshingMayHaveChanged(bool wasRefreshing) {
    if (wasRefreshing != isRefreshing()) {
        emit isRefreshingChanged();
    }
}

}  // namespace fendry
