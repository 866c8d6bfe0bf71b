#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "document/DocumentKind.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"

namespace divelog {
class AppContext;
class Document;
}  // namespace divelog
class DocumentWindow;
class MemoWindow;


// Keeps the open documents, each with its window, and makes new ones: a new
// document of any kind of the kind table, opening a file by its extension,
// the recent-documents list and what launch shows when no file was named.
class MyDocumentController : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRecent = 10;
    static constexpr const char* kRecentKey = "recent documents";

    // `prompts` answers the modal questions; null means the ordinary dialogs.
    explicit MyDocumentController(divelog::AppContext& context,
                                  std::unique_ptr<UserPrompts> prompts = nullptr,
                                  QObject* parent = nullptr);
    ~MyDocumentController() override;

    divelog::AppContext& context() { return context_; }
    const UiText& text() const { return text_; }
    UserPrompts& prompts() { return *prompts_; }

    // The kind the next untitled document takes: the one set, else a logbook.
    divelog::DocumentKind defaultType() const;
    bool hasDefaultType() const { return defaultType_.has_value(); }
    void setDefaultType(std::optional<divelog::DocumentKind> kind) { defaultType_ = kind; }

    // A new untitled document of defaultType(), shown. The window is owned here.
    DocumentWindow* openUntitledDocumentAndDisplay();
    // Opens and shows the file, choosing the kind by its extension; an open
    // file is only brought to the front. Null after reporting a failure.
    DocumentWindow* openDocument(const QString& path);
    // Launch or reactivation without a document to open. Always true.
    bool applicationOpenUntitledFile();

    // Most recent first.
    QStringList recentDocuments() const;
    void noteRecentDocument(const QString& path);
    void clearRecentDocuments();

    const QList<DocumentWindow*>& windows() const { return windows_; }
    // Closes every document, asking about unsaved ones; false if one stayed.
    bool closeAll();
    MemoWindow* memoWindow() const { return memo_.get(); }

    // Run on each new document window before it is shown (the menu bar).
    void setWindowDecorator(std::function<void(DocumentWindow*)> decorate) {
        decorate_ = std::move(decorate);
    }
    // The filter of the open panel: all documents, then one entry per kind.
    QString openFilter() const;

public slots:
    // The File > New command of every kind: the kind becomes the default type
    // for one untitled document, then the default is cleared again.
    void newDocumentOfKind(divelog::DocumentKind kind);
    // The logbook's own command, which code and tests call by name.
    void newCarnetDocumentMenuAction() { newDocumentOfKind(divelog::DocumentKind::Carnet); }
    void openDocumentMenuAction();

signals:
    void recentDocumentsChanged();

private:
    DocumentWindow* adopt(std::unique_ptr<divelog::Document> document);
    void forget(DocumentWindow* window);
    void showMemo();

    divelog::AppContext& context_;
    UiText text_;
    std::unique_ptr<UserPrompts> prompts_;
    std::optional<divelog::DocumentKind> defaultType_;
    QList<DocumentWindow*> windows_;
    std::unique_ptr<MemoWindow> memo_;
    std::function<void(DocumentWindow*)> decorate_;
};
