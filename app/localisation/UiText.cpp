#include "localisation/UiText.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

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

QStringList loadLocalisationResources(divelog::Localisation& loc) {
    QStringList problems;
    loadFolder(loc, QStringLiteral(":/lang/en"), problems);
    const QString language = QLocale().name().section(QLatin1Char('_'), 0, 0);
    if (!language.isEmpty() && language != QLatin1String("en"))
        loadFolder(loc, QStringLiteral(":/lang/") + language, problems);
    return problems;
}

QString UiText::asTitle(const QString& label) {
    QString t = label;
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    t = t.trimmed();
    if (t.endsWith(QLatin1Char(':'))) t.chop(1);
    return t.trimmed();
}
