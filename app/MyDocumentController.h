#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "UserPrompts.h"
#include "document/DocumentError.h"
#include "document/DocumentKind.h"
#include "localisation/UiText.h"

namespace divelog {
class AppContext;
class Document;
}  // namespace divelog
class DocumentWindow;
class MemoWindow;

// Keeps the open documents, each with its window, and makes new ones: a new
// document of any kind of the kind table, opening a file as the kind its
// header names, the recent-documents list and what launch shows. A launch
// always ends with a document window: a file that cannot be opened is
// reported and an untitled logbook stands in for it.
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
    // Opens and shows the file as the kind its header names, whatever its
    // name; an open file is only brought to the front. On failure it reports
    // why, drops the path from the recent list and returns null.
    DocumentWindow* openDocument(const QString& path);
    // Launch or reactivation without a document to open: the memo when asked
    // for, then the most recent document or else an untitled logbook. Always true.
    bool applicationOpenUntitledFile();
    // Launch: opens the named files, or does applicationOpenUntitledFile()
    // when there are none. Never leaves the application without a document
    // window: when every named file failed, an untitled logbook is opened.
    void launch(const QStringList& files);

    // Most recent first.
    QStringList recentDocuments() const;
    void noteRecentDocument(const QString& path);
    void forgetRecentDocument(const QString& path);
    void clearRecentDocuments();

    const QList<DocumentWindow*>& windows() const { return windows_; }
    // Closes every document, asking about unsaved ones; false if one stayed.
    bool closeAll();
    MemoWindow* memoWindow() const { return memo_.get(); }

    // Run on each new document window before it is shown (the menu bar).
    void setWindowDecorator(std::function<void(DocumentWindow*)> decorate) {
        decorate_ = std::move(decorate);
    }
    // The filters of the open panel: all dive files, one per kind, all files
    // (a file is recognised by its content, so any name may hold a document).
    QString openFilter() const;

public slots:
    // The File > New command of every kind: the kind becomes the default type
    // for one untitled document, then the default is cleared again.
    void newDocumentOfKind(divelog::DocumentKind kind);
    // The logbook's own command, which code and tests call by name.
    void newCarnetDocumentMenuAction() { newDocumentOfKind(divelog::DocumentKind::Carnet); }
    void openDocumentMenuAction();
    // Help > Open Sample Logbook: the diver's copy of the shipped sample,
    // made on first use; null (reported) when no sample is installed.
    DocumentWindow* openSampleLogbook();

signals:
    void recentDocumentsChanged();

private:
    DocumentWindow* adopt(std::unique_ptr<divelog::Document> document);
    void forget(DocumentWindow* window);
    void showMemo();
    void reportOpenFailure(const QString& path, const divelog::DocumentError& error);

    divelog::AppContext& context_;
    UiText text_;
    std::unique_ptr<UserPrompts> prompts_;
    std::optional<divelog::DocumentKind> defaultType_;
    QList<DocumentWindow*> windows_;
    std::unique_ptr<MemoWindow> memo_;
    std::function<void(DocumentWindow*)> decorate_;
};
