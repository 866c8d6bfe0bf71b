#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class UiText;

// Every modal question and file panel of the document windows goes through
// here, so a test can answer them instead of blocking on a dialog. The
// defaults are the ordinary Qt dialogs; texts arrive already localised.
class UserPrompts {
public:
    enum class SaveChoice { Save, Discard, Cancel };
    enum class NewDiveChoice { Add, Discard, Cancel };
    enum class ApplyChoice { Apply, Discard, Cancel };

    explicit UserPrompts(const UiText& text) : text_(text) {}
    virtual ~UserPrompts() = default;

    // A failure: one "OK" button. `message` says what failed, `reason` why, in
    // the user's words; `details`, when not empty, is the technical reason,
    // kept behind "Show Details". The short form has no details; a replacement
    // overrides both.
    virtual void report(QWidget* parent, const QString& message, const QString& reason);
    virtual void report(QWidget* parent, const QString& message, const QString& reason,
                        const QString& details);
    // A destructive action: "OK" first, the localised "Cancel" second and the
    // default, so Return does not destroy.
    virtual bool confirm(QWidget* parent, const QString& message);
    // A question with two answers, `yes` first and the default; true for `yes`.
    virtual bool ask(QWidget* parent, const QString& message, const QString& yes,
                     const QString& no);
    // A note with one "OK" button, for what is not a failure.
    virtual void inform(QWidget* parent, const QString& message);
    virtual SaveChoice askToSave(QWidget* parent, const QString& documentName);
    // A dive typed in the edit form and stored nowhere is about to be dropped.
    virtual NewDiveChoice askToAddDive(QWidget* parent);
    // The same for a card typed in a register's edit form.
    virtual NewDiveChoice askToAddCard(QWidget* parent);
    // Samples typed in the profile-data window and not applied are about to be dropped.
    virtual ApplyChoice askToApplyProfile(QWidget* parent);
    virtual QString openPath(QWidget* parent, const QString& filter);
    // A save panel offering several file types; `chosenFilter` tells which
    // one the user picked. Empty when the user cancels.
    virtual QString savePathOfType(QWidget* parent, const QString& suggestedName,
                                   const QStringList& filters, const QString& suffix,
                                   QString& chosenFilter);

protected:
    const UiText& text_;

private:
    NewDiveChoice askToAdd(QWidget* parent, const QString& question, const QString& detail);
};
