#include "platform/Choosers.h"

#include "platform/PersonDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

#include <utility>

namespace {

SelectFolderHook& FolderHook() {
    static SelectFolderHook hook;
    return hook;
}

GetOpenFolderItemHook& OpenHook() {
    static GetOpenFolderItemHook hook;
    return hook;
}

QStringList Extensions(const FileType& type) {
    QStringList extensions;
    for (const QString& extension : type.Extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        extensions << extension.trimmed();
    return extensions;
}

// Hides from the file dialog's listing what the chooser does not offer.
class OfferedItems : public QSortFilterProxyModel {
public:
    explicit OfferedItems(FileType type) : type_(std::move(type)) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files) return true;
        return ChooserOffers(type_, files->filePath(files->index(row, 0, parent)));
    }

private:
    FileType type_;
};

}  // namespace

FolderItem SelectFolder() {
    if (FolderHook()) return FolderHook()();
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (ExecForPerson(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return FolderItem();
    return FolderItem::FromShellPath(dialog.selectedFiles().constFirst());
}

FolderItem GetOpenFolderItem(const FileType& type) {
    if (OpenHook()) return OpenHook()(type);
    // Qt's own dialog: a native one would ignore the filtering model.
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(type.Name + QLatin1String(" (*)"));
    dialog.setProxyModel(new OfferedItems(type));  // the dialog owns it
    if (ExecForPerson(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return FolderItem();
    return FolderItem::FromShellPath(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

bool ChooserOffers(const FileType& type, const QString& path) {
    const QFileInfo info(path);
    if (info.isDir()) return true;
    for (const QString& extension : Extensions(type))
        if (info.fileName().endsWith(extension, Qt::CaseInsensitive)) return true;
    return info.isFile() && info.isExecutable();
}

SelectFolderHook SetSelectFolderHook(SelectFolderHook hook) {
    SelectFolderHook previous = std::move(FolderHook());
    FolderHook() = std::move(hook);
    return previous;
}

GetOpenFolderItemHook SetGetOpenFolderItemHook(GetOpenFolderItemHook hook) {
    GetOpenFolderItemHook previous = std::move(OpenHook());
    OpenHook() = std::move(hook);
    return previous;
}
