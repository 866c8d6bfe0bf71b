#include <QApplication>
#include <QIcon>

#include "AppDelegate.h"
#include "MyDocumentController.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "settings/IsoCountries.h"
#include "settings/QtSettingsStore.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("DiveLog"));
    QApplication::setApplicationName(QStringLiteral("DiveLog"));
    QApplication::setApplicationDisplayName(QStringLiteral("DiveLog"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/divelog.svg")));

    QtSettingsStore store;
    divelog::AppContext context(store);
    // Defaults and pick lists must be in place before any document reads them.
    context.initialize(isoCountries);
    for (const QString& problem : loadLocalisationResources(context.localisation()))
        qWarning("localisation: %s", qPrintable(problem));

    MyDocumentController controller(context);
    AppDelegate delegate(context, controller);

    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty())
        controller.applicationOpenUntitledFile();
    else
        for (const QString& file : files) controller.openDocument(file);
    // Every file to open failed and has been reported; with no menu bar of its
    // own, an application without windows could only be killed.
    if (controller.windows().isEmpty() && !controller.memoWindow()) return 1;
    return app.exec();
}
