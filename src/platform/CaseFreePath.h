#pragma once

#include <QString>

// The item that `relative`, a path built from the catalogue, names below
// `base`, a folder the user chose or the program owns: base + "/" + relative
// when that is a regular file; otherwise found part by part (not `base`'s). The
// catalogue's names come from systems that ignore letter case and it derives
// some of them from the names on disk, so a part stands for the entries of
// its name, then for those of its name but for letter case and composition,
// then for those whose derived name it is (below), each kind in name order;
// they are tried in turn until the rest of the path is found. base + "/" +
// relative again when nothing is.
QString CaseFreePath(const QString& base, const QString& relative);
// The same for a path that names a folder: its last part leads further too,
// and the path itself counts when it is a folder.
QString CaseFreeFolderPath(const QString& base, const QString& relative);

// An absolute path that a Mac Roman file held, as the disk names it: the path
// itself when it exists; otherwise each part matched with Unicode composition
// ignored, as files copied from a Mac carry decomposed names and the file
// can hold only composed ones. The path itself when nothing matches.
QString PathAsOnDisk(const QString& path);

// How the catalogue derives the names it gives entries of a folder: a part
// that leads further stands for each sub-folder whose `folder` name it is,
// the last part for each entry whose `file` name it is. Either may be null or
// give "" for no name. Installed by the catalogue; returns the names before.
struct DerivedNames {
    QString (*folder)(const QString& name) = nullptr;
    QString (*file)(const QString& name) = nullptr;
};
DerivedNames SetDerivedNames(DerivedNames names);
