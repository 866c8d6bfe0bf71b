#include "SampleLogbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "SampleFiles.h"
#include "document/DocumentError.h"
#include "kinds/DocumentKinds.h"

namespace SampleLogbook {

namespace {

const QString kFile = QString::fromUtf8(divelog::samples::kLogbookFile);

bool readable(const QString& path) {
    divelog::DocumentError error;
    return divelog::openDocumentFile(path.toStdString(), error) != nullptr;
}

}  // namespace

QStringList searchFolders() {
    QStringList folders{QCoreApplication::applicationDirPath() +
                        QStringLiteral("/../share/divelog/samples")};
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/divelog/samples");
    folders << QStringLiteral(DIVELOG_BUILD_SAMPLES_DIR);
    for (QString& f : folders) f = QDir::cleanPath(f);
    folders.removeDuplicates();
    return folders;
}

QString shippedFile() {
    for (const QString& folder : searchFolders()) {
        const QString path = folder + '/' + kFile;
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

QString workingCopy(QString& problem) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString copy = folder + '/' + kFile;
    if (QFileInfo::exists(copy) && readable(copy)) return copy;
    const QString shipped = shippedFile();
    if (shipped.isEmpty()) {
        problem = searchFolders().join('\n');
        return {};
    }
    if (!QDir().mkpath(folder)) {
        problem = folder;
        return {};
    }
    // An unreadable copy is no one's work: it is replaced, not opened.
    QFile::remove(copy);
    if (!QFile::copy(shipped, copy)) {
        problem = copy;
        return {};
    }
    // The shipped file may be read-only; the diver's copy is theirs to change.
    QFile::setPermissions(
        copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return copy;
}

}  // namespace SampleLogbook
