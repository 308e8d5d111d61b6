#pragma once
// What a name from outside (the command line, a later launch, a drop, the
// desktop's player controls) names on the disk, asked with the name's own
// bytes (FileNames.h): a name that is not UTF-8 is found as it is. Links are
// followed; a link to nothing names nothing.

#include <QStringView>

namespace sys {
enum class FileKind { Missing, Folder, Regular, Other /* a device, a pipe, a socket */ };
FileKind kindOfFile(QStringView name);
} // namespace sys
