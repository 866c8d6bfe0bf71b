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
    installQtTranslations(app, displayLanguage(QLocale()));

    MyDocumentController controller(context);
    AppDelegate delegate(context, controller);

    // Always ends with a document window, even when every file failed to open.
    controller.launch(app.arguments().mid(1));
    return app.exec();
}
