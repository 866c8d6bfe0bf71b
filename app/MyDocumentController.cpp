#include "MyDocumentController.h"

#include <QFileInfo>

#include "DocumentWindow.h"
#include "DocumentWindowFactory.h"
#include "SampleLogbook.h"
#include "UserPrompts.h"
#include "document/DocumentFile.h"
#include "kinds/DocumentKinds.h"
#include "settings/AppContext.h"
#include "tools/MemoWindow.h"

using divelog::DocumentKind;

namespace {

QString sv(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

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
    if (!windows_.removeOne(window)) return;
    window->deleteLater();
    // The memo has no menus: left alone it could neither make a document nor
    // quit. Its text is kept in the settings as it is typed.
    if (windows_.isEmpty() && memo_) memo_->close();
}

DocumentWindow* MyDocumentController::openUntitledDocumentAndDisplay() {
    return adopt(divelog::makeDocument(defaultType()));
}

void MyDocumentController::newDocumentOfKind(DocumentKind kind) {
    setDefaultType(kind);
    openUntitledDocumentAndDisplay();
    setDefaultType(std::nullopt);
}

DocumentWindow* MyDocumentController::openDocument(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (DocumentWindow* w : std::as_const(windows_)) {
        if (QFileInfo(QString::fromStdString(w->document().filePath())).absoluteFilePath() ==
            absolute) {
            w->show();
            w->raise();
            w->activateWindow();
            return w;
        }
    }
    divelog::DocumentError error;
    std::unique_ptr<divelog::Document> document =
        divelog::openDocumentFile(absolute.toStdString(), error);
    if (!document) {
        reportOpenFailure(absolute, error);
        // Otherwise it would stay first in the list and fail again at every launch.
        forgetRecentDocument(absolute);
        return nullptr;
    }
    noteRecentDocument(absolute);
    return adopt(std::move(document));
}

void MyDocumentController::reportOpenFailure(const QString& path,
                                             const divelog::DocumentError& error) {
    prompts_->report(
        nullptr,
        text_.format("Main", "Open failed", "error !", {QFileInfo(path).fileName().toStdString()}),
        text_.openProblem(error), QString::fromStdString(error.details));
}

void MyDocumentController::openDocumentMenuAction() {
    const QString path = prompts_->openPath(nullptr, openFilter());
    if (!path.isEmpty()) openDocument(path);
}

DocumentWindow* MyDocumentController::openSampleLogbook() {
    QString problem;
    const QString copy = SampleLogbook::workingCopy(problem);
    if (copy.isEmpty()) {
        prompts_->report(nullptr, text_.main("Sample logbook missing"),
                         text_.main("Sample logbook missing reason"), problem);
        return nullptr;
    }
    return openDocument(copy);
}

QString MyDocumentController::openFilter() const {
    auto filter = [](const QString& name, const QString& globs) {
        return name + QStringLiteral(" (") + globs + ')';
    };
    QStringList all, each;
    for (const auto& k : divelog::documentKinds()) {
        const QString glob = QStringLiteral("*.") + sv(k.extension);
        all << glob;
        each << filter(text_.kindName(k), glob);
    }
    return QStringList{filter(text_.main("All dive files"), all.join(' ')), each.join(";;"),
                       filter(text_.main("All files"), QStringLiteral("*"))}
        .join(QStringLiteral(";;"));
}

bool MyDocumentController::applicationOpenUntitledFile() {
    if (context_.settings().boolForKey("pense bete")) showMemo();
    const QStringList recent = recentDocuments();
    // A lost or damaged recent file has been reported and dropped from the list.
    if (!recent.isEmpty() && openDocument(recent.first())) return true;
    newDocumentOfKind(divelog::kDefaultDocumentKind);
    return true;
}

void MyDocumentController::launch(const QStringList& files) {
    if (files.isEmpty()) {
        applicationOpenUntitledFile();
        return;
    }
    for (const QString& file : files) openDocument(file);
    if (windows_.isEmpty()) newDocumentOfKind(divelog::kDefaultDocumentKind);
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

namespace {

divelog::SettingList stored(const QStringList& list, int max) {
    divelog::SettingList out;
    for (const QString& p : list.mid(0, max)) out.push_back(p.toStdString());
    return out;
}

}  // namespace

void MyDocumentController::noteRecentDocument(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentDocuments();
    list.removeAll(absolute);
    list.prepend(absolute);
    context_.settings().setList(kRecentKey, stored(list, kMaxRecent));
    emit recentDocumentsChanged();
}

void MyDocumentController::forgetRecentDocument(const QString& path) {
    QStringList list = recentDocuments();
    if (list.removeAll(QFileInfo(path).absoluteFilePath()) == 0) return;
    context_.settings().setList(kRecentKey, stored(list, kMaxRecent));
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
