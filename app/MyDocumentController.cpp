#include "MyDocumentController.h"

#include <QFileInfo>

#include "DocumentWindow.h"
#include "DocumentWindowFactory.h"
#include "UserPrompts.h"
#include "settings/AppContext.h"
#include "tools/MemoWindow.h"

using divelog::DocumentKind;

namespace {

QString sv(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

MyDocumentController::MyDocumentController(divelog::AppContext& context,
                                           std::unique_ptr<UserPrompts> prompts, QObject* parent)
    : QObject(parent),
      context_(context),
      text_(context.localisation()),
      prompts_(prompts ? std::move(prompts) : std::make_unique<UserPrompts>(text_)) {}

MyDocumentController::~MyDocumentController() {
    // Windows are deleted before the prompts they refer to.
    const auto windows = windows_;
    windows_.clear();
    qDeleteAll(windows);
}

DocumentKind MyDocumentController::defaultType() const {
    return defaultType_.value_or(divelog::kDefaultDocumentKind);
}

DocumentWindow* MyDocumentController::adopt(std::unique_ptr<divelog::Document> document) {
    DocumentWindow* window = makeDocumentWindow(std::move(document), context_, text_, *prompts_);
    windows_.append(window);
    connect(window, &DocumentWindow::closed, this, &MyDocumentController::forget);
    connect(window, &DocumentWindow::saved, this, &MyDocumentController::noteRecentDocument);
    if (decorate_) decorate_(window);
    // No two windows exactly on top of each other.
    const int step = static_cast<int>((windows_.size() - 1) % 8) * 28;
    window->move(window->pos() + QPoint(step, step));
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void MyDocumentController::forget(DocumentWindow* window) {
    if (windows_.removeOne(window)) window->deleteLater();
}

DocumentWindow* MyDocumentController::openUntitledDocumentAndDisplay() {
    return adopt(divelog::kindInfo(defaultType()).makeDocument());
}

void MyDocumentController::newDocumentOfKind(DocumentKind kind) {
    setDefaultType(kind);
    openUntitledDocumentAndDisplay();
    setDefaultType(std::nullopt);
}

DocumentWindow* MyDocumentController::openDocument(const QString& path) {
    const QFileInfo file(path);
    const QString absolute = file.absoluteFilePath();
    for (DocumentWindow* w : std::as_const(windows_)) {
        if (QFileInfo(QString::fromStdString(w->document().filePath())).absoluteFilePath() ==
            absolute) {
            w->show();
            w->raise();
            w->activateWindow();
            return w;
        }
    }
    const QString failed = text_.format("Main", "Open failed", "error !",
                                        {file.fileName().toStdString()});
    const divelog::DocumentKindInfo* kind = divelog::kindForExtension(file.suffix().toStdString());
    if (!kind) {
        prompts_->report(nullptr, failed,
                         text_.format("Main", "Unknown document type", "error !",
                                      {file.suffix().toStdString()}));
        return nullptr;
    }
    std::unique_ptr<divelog::Document> document = kind->makeDocument();
    std::string error;
    if (!document->open(absolute.toStdString(), error)) {
        prompts_->report(nullptr, failed, QString::fromStdString(error));
        return nullptr;
    }
    noteRecentDocument(absolute);
    return adopt(std::move(document));
}

void MyDocumentController::openDocumentMenuAction() {
    const QString path = prompts_->openPath(nullptr, openFilter());
    if (!path.isEmpty()) openDocument(path);
}

QString MyDocumentController::openFilter() const {
    QStringList all, each;
    for (const auto& k : divelog::documentKinds()) {
        const QString glob = QStringLiteral("*.") + sv(k.extension);
        all << glob;
        each << text_.kindName(k) + QStringLiteral(" (") + glob + ')';
    }
    return text_.main("All documents") + QStringLiteral(" (") + all.join(' ') + QStringLiteral(");;") +
           each.join(QStringLiteral(";;"));
}

bool MyDocumentController::applicationOpenUntitledFile() {
    if (context_.settings().boolForKey("pense bete")) showMemo();
    const QStringList recent = recentDocuments();
    if (!recent.isEmpty()) {
        // On failure the report is enough: no logbook stands in for the lost file.
        openDocument(recent.first());
        return true;
    }
    newDocumentOfKind(divelog::kDefaultDocumentKind);
    return true;
}

void MyDocumentController::showMemo() {
    if (!memo_)
        memo_ = std::make_unique<MemoWindow>(text_.main("pense bete"), text_.main("Memo hint"),
                                             &context_.settings());
    memo_->present();
}

QStringList MyDocumentController::recentDocuments() const {
    QStringList out;
    for (const auto& p : context_.settings().listForKey(kRecentKey))
        if (!p.empty() && out.size() < kMaxRecent) out << QString::fromStdString(p);
    return out;
}

void MyDocumentController::noteRecentDocument(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentDocuments();
    list.removeAll(absolute);
    list.prepend(absolute);
    divelog::SettingList stored;
    for (const QString& p : list.mid(0, kMaxRecent)) stored.push_back(p.toStdString());
    context_.settings().setList(kRecentKey, std::move(stored));
    emit recentDocumentsChanged();
}

void MyDocumentController::clearRecentDocuments() {
    context_.settings().setList(kRecentKey, {});
    emit recentDocumentsChanged();
}

bool MyDocumentController::closeAll() {
    const auto windows = windows_;
    for (DocumentWindow* w : windows)
        if (!w->close()) return false;
    return true;
}
