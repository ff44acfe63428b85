#include "platform/FolderItem.h"

#include "platform/Text.h"
#include "platform/TextInputStream.h"
#include "platform/TextOutputStream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>

FolderItem::FolderItem(QString path) : path_(std::move(path)) {
    while (path_.size() > 1 && path_.endsWith(QLatin1Char('/'))) path_.chop(1);
}

FolderItem FolderItem::FromShellPath(const QString& path) {
    return FolderItem(path);
}

bool FolderItem::IsValid() const {
    return !path_.isEmpty();
}

FolderItem FolderItem::Child(const QString& name) const {
    if (!IsValid()) return FolderItem();
    if (path_ == QLatin1String("/")) return FolderItem(path_ + name);
    return FolderItem(path_ + QLatin1Char('/') + name);
}

bool FolderItem::Exists() const {
    return IsValid() && QFileInfo::exists(path_);
}

bool FolderItem::Directory() const {
    return IsValid() && QFileInfo(path_).isDir();
}

bool FolderItem::RegularFile() const {
    struct stat st {};
    return IsValid() && ::stat(QFile::encodeName(path_).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString FolderItem::DisplayName() const {
    return QFileInfo(path_).fileName();
}

QString FolderItem::ShellPath() const {
    return path_;
}

namespace {

constexpr qint64 kSecond = 1'000'000'000;

qint64 Nanoseconds(const timespec& t) {
    return qint64(t.tv_sec) * kSecond + t.tv_nsec;
}

qint64 ClockNow(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return Nanoseconds(t);
}

// The step by which a stamp like `t` moves: the kernel's clock moves by its
// tick, and a file system may keep only hundredths or whole seconds (two for
// some), which leave the lower digits zero.
qint64 StampStep(const timespec& t) {
    if (t.tv_nsec == 0) return 2 * kSecond;
    qint64 step = 1;
    while (t.tv_nsec % (step * 10) == 0) step *= 10;
    timespec tick{};
    clock_getres(CLOCK_REALTIME_COARSE, &tick);
    return std::max(step, Nanoseconds(tick));
}

}  // namespace

// A change made after the listing was read, within the same step of the
// clock as the change before it, would leave the stamp as it was. So the
// listing is trusted only when read once the stamp's step had passed: by the
// system clock, which stamps the change time; or, for a change time ahead of
// that clock (the clock set back, a server's ahead), by the time since the
// stamp was first seen. Neither asks the folder's dates to lie in the past.
bool FolderItem::Settled() const {
    const qint64 step = StampStep(stamp_.changed);
    return Nanoseconds(stamp_.changed) + step <= ClockNow(CLOCK_REALTIME_COARSE) ||
           ClockNow(CLOCK_MONOTONIC) - stampSeenAt_ >= step;
}

const QStringList& FolderItem::Listing() const {
    struct stat st {};
    if (!IsValid() || ::stat(QFile::encodeName(path_).constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        listing_.clear();
        listed_ = false;
        keys_.reset();
        return listing_;
    }
    const FileStamp stamp = FileStamp::Of(st);
    if (listed_ && stamp == stamp_) {
        if (trusted_) return listing_;
    } else {
        stamp_ = stamp;
        stampSeenAt_ = ClockNow(CLOCK_MONOTONIC);
    }
    trusted_ = Settled();
    listing_ = QDir(path_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                     QDir::NoSort);
    std::sort(listing_.begin(), listing_.end(), [](const QString& a, const QString& b) {
        const int c = TextCompare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    listed_ = true;
    keys_.reset();
    ++reads_;
    return listing_;
}

int FolderItem::Count() const {
    return int(Listing().size());
}

FolderItem FolderItem::Item(int i) const {
    const QStringList& names = Listing();
    if (i < 1 || i > names.size()) return FolderItem();
    return Child(names.at(i - 1));
}

QStringList FolderItem::Names() const {
    return Listing();
}

QStringList FolderItem::NamesWithKey(NameKey key, const QString& value) const {
    const QStringList& names = Listing();
    if (!keys_) keys_ = std::make_shared<std::vector<std::pair<NameKey, KeyIndex>>>();
    auto kept = std::find_if(keys_->begin(), keys_->end(), [key](const auto& k) { return k.first == key; });
    if (kept == keys_->end()) {
        KeyIndex index;
        index.reserve(size_t(names.size()));
        for (int i = 0; i < names.size(); ++i) {
            QString k = key(names.at(i));
            if (!k.isEmpty()) index.emplace_back(std::move(k), i);
        }
        std::sort(index.begin(), index.end());
        kept = keys_->insert(keys_->end(), {key, std::move(index)});
    }
    const KeyIndex& index = kept->second;
    QStringList found;
    if (value.isEmpty()) return found;
    for (auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(value, 0));
         it != index.end() && it->first == value; ++it)
        found << names.at(it->second);
    return found;
}

std::unique_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
    return TextInputStream::Open(path_);
}

std::unique_ptr<TextOutputStream> FolderItem::CreateTextFile(QString* errorString) const {
    return TextOutputStream::Create(path_, errorString);
}

bool OpensForReading(const QString& shellPath) {
    // Opening reads nothing yet, and fails for an empty path, a missing item
    // and a folder alike.
    return FolderItem::FromShellPath(shellPath).OpenAsTextFile() != nullptr;
}
