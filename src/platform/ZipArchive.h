#pragma once

#include <QString>

// Unpacks the regular files and folders of the zip at zipPath into directory
// (which must exist), overwriting files there. Link and device members,
// absolute member paths and member paths holding ".." are skipped, and
// nothing is written through a symbolic link: a link on a member's path
// below directory fails that member, a folder member that exists as a link
// is left as it is, and a file member replaces a link of its name. The
// directory itself may lie below links. Files get mode 0644 and folders
// 0755, less the umask; owners are never set. False, with reason set, when
// the file is not a zip, is damaged, or a member could not be written; the
// members before it stay unpacked, and the failed one leaves any old file of
// its name whole. A zip whose members were all unpacked or skipped gives true.
bool UnpackZip(const QString& zipPath, const QString& directory, QString* reason);
