#pragma once

// The application's objects as main() wires them, over an INI settings file,
// with every modal question answered by the test instead of a dialog.

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <memory>

#include "AppDelegate.h"
#include "MyDocumentController.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "settings/QtSettingsStore.h"

class CapturingPrompts : public UserPrompts {
public:
    using UserPrompts::UserPrompts;

    struct Report {
        QString message, reason;
        QString details;  // the technical reason under "Show Details"
    };
    QList<Report> reports;
    QStringList confirmations;
    bool confirmAnswer = true;
    int saveQuestions = 0;
    SaveChoice saveAnswer = SaveChoice::Discard;
    QString nextSavePath;

    void report(QWidget*, const QString& message, const QString& reason) override {
        reports.append({message, reason});
    }
    void report(QWidget*, const QString& message, const QString& reason,
                const QString& details) override {
        reports.append({message, reason, details});
    }
    bool confirm(QWidget*, const QString& message) override {
        confirmations << message;
        return confirmAnswer;
    }
    QStringList questions;
    bool askAnswer = true;
    bool ask(QWidget*, const QString& message, const QString&, const QString&) override {
        questions << message;
        return askAnswer;
    }
    QStringList notes;
    void inform(QWidget*, const QString& message) override { notes << message; }
    SaveChoice askToSave(QWidget*, const QString&) override {
        ++saveQuestions;
        return saveAnswer;
    }
    int newDiveQuestions = 0;
    NewDiveChoice newDiveAnswer = NewDiveChoice::Cancel;
    NewDiveChoice askToAddDive(QWidget*) override {
        ++newDiveQuestions;
        return newDiveAnswer;
    }
    int newCardQuestions = 0;
    NewDiveChoice newCardAnswer = NewDiveChoice::Cancel;
    NewDiveChoice askToAddCard(QWidget*) override {
        ++newCardQuestions;
        return newCardAnswer;
    }
    int applyQuestions = 0;
    ApplyChoice applyAnswer = ApplyChoice::Cancel;
    ApplyChoice askToApplyProfile(QWidget*) override {
        ++applyQuestions;
        return applyAnswer;
    }
    QString nextOpenPath;
    QString openPath(QWidget*, const QString&) override { return nextOpenPath; }
    QString nextSaveFilter;  // empty: the document's own type
    QStringList offeredFilters;
    QString savePathOfType(QWidget*, const QString&, const QStringList& filters, const QString&,
                           QString& chosen) override {
        offeredFilters = filters;
        chosen = nextSaveFilter.isEmpty() ? filters.value(0) : nextSaveFilter;
        return nextSavePath;
    }
};

// Closed windows are deleted later, by the event loop.
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

struct AppHarness {
    explicit AppHarness(const QString& iniPath) : store(iniPath), context(store) {
        context.initialize();
        loadLocalisationResources(context.localisation());
        auto capture = std::make_unique<CapturingPrompts>(text);
        prompts = capture.get();
        controller = std::make_unique<MyDocumentController>(context, std::move(capture));
        delegate = std::make_unique<AppDelegate>(context, *controller);
    }
    // Windows closed during a test go before the context they observe, as
    // they do when the application's event loop ends.
    ~AppHarness() { flushDeletes(); }

    QtSettingsStore store;
    divelog::AppContext context;
    UiText text{context.localisation()};
    CapturingPrompts* prompts = nullptr;
    std::unique_ptr<MyDocumentController> controller;
    std::unique_ptr<AppDelegate> delegate;
};
