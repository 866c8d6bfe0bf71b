// The windows in French: the language follows the locale at start-up, a key
// the French tables lack still shows English, and Qt's own buttons speak
// French when the system has Qt's translations.

#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <QtTest>

#include "AppTestHarness.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveTableModel.h"

namespace {

void writeTable(const QString& path, const QByteArray& text) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QStringList menuTitles(QMainWindow* w) {
    QStringList out;
    for (QAction* a : w->menuBar()->actions()) out << a->text();
    return out;
}

}  // namespace

class FrenchWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
        QFile::remove(dir_.filePath("settings.ini"));
        QLocale::setDefault(QLocale::c());
    }

    void languageFollowsTheLocale() {
        QCOMPARE(displayLanguage(QLocale(QLocale::French, QLocale::France)), QString("fr"));
        QCOMPARE(displayLanguage(QLocale(QLocale::French, QLocale::Canada)), QString("fr"));
        QCOMPARE(displayLanguage(QLocale(QLocale::English, QLocale::UnitedKingdom)), QString("en"));
        // A language without tables gets English, not a mix.
        QCOMPARE(displayLanguage(QLocale(QLocale::German, QLocale::Germany)), QString("en"));
        QCOMPARE(displayLanguage(QLocale::c()), QString("en"));
    }

    void aLogbookWindowSpeaksFrench() {
        app_->controller->newCarnetDocumentMenuAction();
        auto* w = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        QVERIFY(w);
        const QStringList menus = menuTitles(w);
        QVERIFY2(menus.contains("Fichier") && menus.contains("Édition"),
                 qPrintable(menus.join('|')));
        QStringList headers;
        for (int c = 0; c < w->model()->columnCount(); ++c)
            headers << w->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QVERIFY2(headers.contains("Lieu") && headers.contains("Durée"),
                 qPrintable(headers.join('|')));

        w->newDive();
        DiveEditWindow* edit = w->editWindow();
        QCOMPARE(edit->windowTitle(), QString("Plongée 1"));
        QStringList views;
        for (QToolButton* b : edit->findChildren<QToolButton*>()) views << b->text();
        QVERIFY2(views.contains("Lieu && conditions") && views.contains("Blocs && gaz"),
                 qPrintable(views.join('|')));
        QVERIFY2(!views.join('|').contains("error !"), qPrintable(views.join('|')));
    }

    // The French tables are laid over the English ones, so a key added in
    // English and not yet translated shows English, never a fallback.
    void aMissingFrenchKeyShowsEnglish() {
        QTemporaryDir root;
        writeTable(root.filePath("en/Main.strings"), "\"Save\" = \"Save\";\n\"New\" = \"New\";\n");
        writeTable(root.filePath("fr/Main.strings"), "\"Save\" = \"Enregistrer\";\n");
        writeTable(root.filePath("de/Main.strings"), "\"Save\" = \"Sichern\";\n");
        divelog::Localisation fr;
        QVERIFY(loadLocalisationResources(fr, QLocale(QLocale::French), root.path()).isEmpty());
        QCOMPARE(fr.text("Main", "Save"), std::string("Enregistrer"));
        QCOMPARE(fr.text("Main", "New"), std::string("New"));
        divelog::Localisation de;
        loadLocalisationResources(de, QLocale(QLocale::German), root.path());
        QCOMPARE(de.text("Main", "Save"), std::string("Save"));

        // The shipped tables: every French key is there, so nothing here
        // falls back, and the English texts are not what French shows.
        divelog::Localisation shipped;
        QVERIFY(loadLocalisationResources(shipped, QLocale(QLocale::French)).isEmpty());
        QCOMPARE(shipped.text("Carnet", "Maximum depth"), std::string("Profondeur maximale"));
        QCOMPARE(shipped.text("Main", "Cancel"), std::string("Annuler"));
    }

    void qtButtonsAreFrenchWhenTheSystemHasQtTranslations() {
        const bool installed =
            QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm") ||
            QFile::exists("/usr/share/qt6/translations/qtbase_fr.qm");
        if (!installed) QSKIP("qtbase_fr.qm is not installed (qt6-translations-l10n)");
        QVERIFY(!installQtTranslations(*QCoreApplication::instance(), "en"));
        QVERIFY(installQtTranslations(*QCoreApplication::instance(), "fr"));
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Close |
                             QDialogButtonBox::Yes);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Annuler"));
        QCOMPARE(box.button(QDialogButtonBox::Close)->text(), QString("Fermer"));
        QCOMPARE(box.button(QDialogButtonBox::Yes)->text(), QString("&Oui"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
};

QTEST_MAIN(FrenchWindows)
#include "tst_french.moc"
