#include "platform/Choosers.h"

#include <QApplication>
#include <QFileDialog>

namespace {

SelectFolderHook& FolderHook() {
    static SelectFolderHook hook;
    return hook;
}

GetOpenFolderItemHook& OpenHook() {
    static GetOpenFolderItemHook hook;
    return hook;
}

FolderItem ItemFor(const QString& path) {
    return path.isEmpty() ? FolderItem() : FolderItem(path);
}

}  // namespace

FolderItem SelectFolder() {
    if (FolderHook()) return FolderHook()();
    return ItemFor(QFileDialog::getExistingDirectory(QApplication::activeWindow()));
}

FolderItem GetOpenFolderItem(const FileType& type) {
    if (OpenHook()) return OpenHook()(type);
    QStringList patterns;
    for (const QString& extension : type.Extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        patterns << QLatin1Char('*') + extension.trimmed();
    // Programs on this system rarely carry an extension, so every file stays
    // reachable through a second filter.
    const QString filter = type.Name + QLatin1String(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1String(");;All Files (*)");
    return ItemFor(QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                QString(), filter));
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
