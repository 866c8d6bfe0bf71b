#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <initializer_list>
#include <string_view>

#include "document/DocumentError.h"
#include "document/DocumentKind.h"
#include "localisation/Localisation.h"

// Displayed texts as QStrings. Every lookup carries its fallback, so a key
// missing from a table shows that fallback rather than the raw key.
class UiText {
public:
    explicit UiText(const divelog::Localisation& loc) : loc_(loc) {}
    const divelog::Localisation& localisation() const { return loc_; }

    QString text(std::string_view table, std::string_view key,
                 std::string_view fallback = "error !") const;
    QString main(std::string_view key, std::string_view fallback = "error !") const {
        return text("Main", key, fallback);
    }
    QString carnet(std::string_view key, std::string_view fallback = "error !") const {
        return text("Carnet", key, fallback);
    }
    QString format(std::string_view table, std::string_view key, std::string_view fallback,
                   std::initializer_list<divelog::FormatArg> args) const;

    // A label written for a text card ("\rName: ") as a form or column title ("Name").
    static QString asTitle(const QString& label);

    // The kind's type name as shown: all ten are looked up in "Main"; the six
    // literal names fall back to themselves.
    QString kindName(const divelog::DocumentKindInfo& kind) const;

    // Why a file could not be opened or saved, in the user's words, with the
    // byte offset in the user's number format. The English text is the
    // fallback: a missing key must not hide what went wrong.
    QString openProblem(const divelog::DocumentError& error) const;
    QString saveProblem(const divelog::DocumentError& error) const;

private:
    QString problem(const divelog::ProblemText& words, const divelog::DocumentError& error) const;

    const divelog::Localisation& loc_;
};

// The language the windows speak for a locale: "fr" when its first user
// interface language is French, else "en".
QString displayLanguage(const QLocale& locale);

// Loads every table under `root`/en, then overlays the tables of the display
// language, so a key the translation lacks still shows English. Returns the
// unreadable lines (table and line number), empty when all went well.
QStringList loadLocalisationResources(divelog::Localisation& loc, const QLocale& locale = QLocale(),
                                      const QString& root = QStringLiteral(":/lang"));

// Installs Qt's own translation of its dialogs and standard buttons for the
// language; false when the system has none (they stay English).
bool installQtTranslations(QCoreApplication& app, const QString& language);
