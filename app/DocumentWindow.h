#pragma once

#include <QList>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "document/Document.h"

namespace divelog {
class AppContext;
}
class QAction;
class UiText;
class UserPrompts;

// The window of one open document, owning that document. It keeps the title
// and the modified marker in step with the document and runs save, save as,
// revert and close; what it shows is up to each kind's subclass.
class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    DocumentWindow(std::unique_ptr<divelog::Document> document, divelog::AppContext& context,
                   const UiText& text, UserPrompts& prompts);
    ~DocumentWindow() override;

    divelog::Document& document() { return *document_; }
    const divelog::Document& document() const { return *document_; }
    // The file name, or the localised "Untitled".
    QString displayName() const;
    // Commands of this kind, listed in the kind's menu by the menu builder.
    virtual QList<QAction*> documentActions() const { return {}; }
    // The document's Undo and Redo for the Edit menu; null for a kind
    // without a history.
    QAction* undoAction() const { return undo_; }
    // The questions and alerts of this window and the windows it owns.
    UserPrompts& prompts() { return prompts_; }
    QAction* redoAction() const { return redo_; }

    // Each returns true when the document ended up written (or, for revert,
    // reread); failures have been reported to the user.
    bool save();
    bool saveAs();
    bool revert();
    // A saved document with changes since: something to go back from.
    bool canRevert() const;
    // Asks about unsaved changes; false when the user cancelled.
    bool maybeSave();

signals:
    void saved(const QString& path);
    void closed(DocumentWindow* window);

protected:
    // Re-reads the document into the view after a revert.
    virtual void reloadView() {}
    // Puts what the window holds for the document into it before a save;
    // false (the user was told why) when that is refused, and nothing is saved.
    virtual bool prepareToSave() { return true; }
    // The export types offered beside the document's own in Save As: the
    // type's name and its file extension.
    struct ExportType {
        QString name;  // the type's key, as stored and matched
        QString extension;
        QString label;  // what the save panel shows
    };
    virtual QList<ExportType> exportTypes() const { return {}; }
    // Writes the document under an export type; the document keeps its file
    // and its changed mark. Failures are reported here.
    virtual bool exportTo(const QString& /*type*/, const QString& /*path*/) { return false; }
    // Called after every change made through this window.
    void documentEdited();
    // Makes the Undo and Redo actions, run by `undo` and `redo`.
    void makeHistoryActions(std::function<void()> undo, std::function<void()> redo);
    // Enables them and names them after the steps they would take ("Undo Delete 3 Dives").
    void showHistory(bool canUndo, bool canRedo, const std::string& undoName,
                     const std::string& redoName);
    // A window of this document (an edit window) answers the document's
    // Undo, Redo, Save and Save As and the application's Quit as this one
    // does; Close and Escape close it.
    void shareShortcutsWith(QWidget* child);
    void refreshTitle();
    // Titles the window with its document's kind after its name ("Untitled —
    // Wrecks"), for kinds a window title could not otherwise tell apart.
    void setKindInTitle(bool shown);
    void closeEvent(QCloseEvent* event) override;

    divelog::AppContext& context_;
    const UiText& text_;
    UserPrompts& prompts_;

private:
    bool writeTo(const QString& path);

    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool kindInTitle_ = false;

    std::unique_ptr<divelog::Document> document_;
};
