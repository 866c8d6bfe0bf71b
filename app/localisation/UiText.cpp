#include "localisation/UiText.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString UiText::text(std::string_view table, std::string_view key,
                     std::string_view fallback) const {
    return QString::fromStdString(loc_.text(table, key, fallback));
}

QString UiText::format(std::string_view table, std::string_view key, std::string_view fallback,
                       std::initializer_list<divelog::FormatArg> args) const {
    return QString::fromStdString(loc_.format(table, key, fallback, args));
}

QString UiText::kindName(const divelog::DocumentKindInfo& kind) const {
    return main(kind.typeName,
                kind.typeNameLocalised ? std::string_view("error !") : kind.typeName);
}

QString UiText::openProblem(const divelog::DocumentError& error) const {
    return problem(divelog::openProblemText(error), error);
}

QString UiText::saveProblem(const divelog::DocumentError& error) const {
    return problem(divelog::saveProblemText(error), error);
}

QString UiText::problem(const divelog::ProblemText& words,
                        const divelog::DocumentError& error) const {
    const QString offset =
        error.offset ? QLocale().toString(static_cast<qulonglong>(*error.offset)) : QString();
    return format("Main", words.key, words.english, {offset.toStdString()});
}

namespace {

void loadFolder(divelog::Localisation& loc, const QString& folder, QStringList& problems) {
    QDirIterator it(folder, {QStringLiteral("*.strings")}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            problems << path;
            continue;
        }
        const QByteArray bytes = file.readAll();
        std::string error;
        const std::string table = QFileInfo(path).completeBaseName().toStdString();
        if (!loc.loadTable(table, std::string_view(bytes.constData(), bytes.size()), &error))
            problems << QString::fromStdString(error);
    }
}

}  // namespace

QString displayLanguage(const QLocale& locale) {
    // The messages language (LANGUAGE, LC_MESSAGES) comes first here, as the
    // user chose it for texts, whatever the number format.
    const QStringList languages = locale.uiLanguages();
    const QString first = languages.isEmpty() ? locale.name() : languages.first();
    return first.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower() ==
                   QLatin1String("fr")
               ? QStringLiteral("fr")
               : QStringLiteral("en");
}

QStringList loadLocalisationResources(divelog::Localisation& loc, const QLocale& locale,
                                      const QString& root) {
    QStringList problems;
    loadFolder(loc, root + QStringLiteral("/en"), problems);
    const QString language = displayLanguage(locale);
    if (language != QLatin1String("en"))
        loadFolder(loc, root + QLatin1Char('/') + language, problems);
    return problems;
}

bool installQtTranslations(QCoreApplication& app, const QString& language) {
    if (language == QLatin1String("en")) return false;
    auto* translator = new QTranslator(&app);
    const QString name = QStringLiteral("qtbase_") + language;
    // Debian's qt6-translations-l10n puts them where Qt looks; a Qt built
    // elsewhere may look in its own tree, so the system folder is tried too.
    if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        translator->load(name, QStringLiteral("/usr/share/qt6/translations"))) {
        app.installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

QString UiText::asTitle(const QString& label) {
    QString t = label;
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    t = t.trimmed();
    if (t.endsWith(QLatin1Char(':'))) t.chop(1);
    return t.trimmed();
}
