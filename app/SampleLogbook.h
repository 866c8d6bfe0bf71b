#pragma once

#include <QString>
#include <QStringList>

// Where the sample logbook shipped with the application is, and the diver's
// own copy of it, so that trying things in the sample never spoils the
// shipped file.
namespace SampleLogbook {

// The folders looked in, first match wins: the share folder beside the
// executable (an installed package), the desktop's data folders, then the
// build tree.
QStringList searchFolders();
// The shipped sample logbook, or empty when none of the folders has it.
QString shippedFile();
// The diver's copy in the application's data folder. Made from the shipped
// file when missing or unreadable; a readable copy is kept with the diver's
// changes. Empty, with `problem` set, when it cannot be made.
QString workingCopy(QString& problem);

}  // namespace SampleLogbook
