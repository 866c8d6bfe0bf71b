#include "DocumentWindow.h"

#include <QAction>

#include <QCloseEvent>
#include <QFileInfo>

#include "UserPrompts.h"
#include "localisation/UiText.h"

DocumentWindow::DocumentWindow(std::unique_ptr<divelog::Document> document,
                               divelog::AppContext& context, const UiText& text,
                               UserPrompts& prompts)
    : context_(context), text_(text), prompts_(prompts), document_(std::move(document)) {
    refreshTitle();
}

DocumentWindow::~DocumentWindow() = default;

QString DocumentWindow::displayName() const {
    if (document_->filePath().empty()) return text_.main("Untitled");
    return QFileInfo(QString::fromStdString(document_->filePath())).fileName();
}

void DocumentWindow::refreshTitle() {
    QString title = displayName() + QStringLiteral("[*]");
    if (kindInTitle_) title += QStringLiteral(" — ") + text_.kindName(document_->info());
    setWindowTitle(title);
    setWindowModified(document_->isChanged());
}

void DocumentWindow::setKindInTitle(bool shown) {
    kindInTitle_ = shown;
    refreshTitle();
}

void DocumentWindow::documentEdited() { refreshTitle(); }

bool DocumentWindow::writeTo(const QString& path) {
    if (!prepareToSave()) return false;
    divelog::DocumentError error;
    if (!document_->save(path.toStdString(), error)) {
        prompts_.report(this, text_.format("Main", "Save failed", "error !", {path.toStdString()}),
                        text_.saveProblem(error), QString::fromStdString(error.details));
        return false;
    }
    refreshTitle();
    emit saved(path);
    return true;
}

bool DocumentWindow::save() {
    if (document_->filePath().empty()) return saveAs();
    return writeTo(QString::fromStdString(document_->filePath()));
}

bool DocumentWindow::saveAs() {
    const auto& info = document_->info();
    const QString suffix = QString::fromUtf8(info.extension.data(), info.extension.size());
    const QString filter = text_.kindName(info) + QStringLiteral(" (*.") + suffix + ')';
    const QString suggested = document_->filePath().empty()
                                  ? displayName() + '.' + suffix
                                  : QString::fromStdString(document_->filePath());
    QStringList filters{filter};
    const QList<ExportType> exports = exportTypes();
    for (const ExportType& e : exports)
        filters << (e.label.isEmpty() ? e.name : e.label) + QStringLiteral(" (*.") + e.extension +
                       ')';
    QString chosen;
    const QString typed = prompts_.savePathOfType(this, suggested, filters, suffix, chosen);
    if (typed.isEmpty()) return false;
    const qsizetype exportIndex = filters.indexOf(chosen) - 1;
    if (exportIndex >= 0 && exportIndex < exports.size()) {
        const ExportType& e = exports[exportIndex];
        QString path = typed;
        // The document's own extension came from the panel's first filter, not the user.
        if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0 &&
            !QFileInfo(typed).completeBaseName().isEmpty())
            path.chop(suffix.size() + 1);
        if (QFileInfo(path).suffix().compare(e.extension, Qt::CaseInsensitive) != 0)
            path += '.' + e.extension;
        return exportTo(e.name, path);
    }
    // "Dives v1.5" has a suffix but not ours: the file gets its kind's
    // extension so the desktop knows it. The panel only asked about replacing
    // the typed name, so a file under the extended name is asked about here.
    const QString path =
        QString::fromStdString(divelog::withKindExtension(typed.toStdString(), info));
    if (path != typed && QFileInfo::exists(path) &&
        QFileInfo(path).absoluteFilePath() !=
            QFileInfo(QString::fromStdString(document_->filePath())).absoluteFilePath() &&
        !prompts_.ask(this,
                      text_.format("Main", "Replace question", "error !",
                                   {QFileInfo(path).fileName().toStdString()}),
                      text_.main("Replace"), text_.main("Cancel")))
        return false;
    return writeTo(path);
}

bool DocumentWindow::canRevert() const {
    return !document_->filePath().empty() && document_->isChanged();
}

bool DocumentWindow::revert() {
    // Reverting throws away what was done since the last save: only then, and only when asked.
    if (!canRevert() || !prompts_.confirm(this, text_.main("Revert question"))) return false;
    divelog::DocumentError error;
    if (!document_->revert(error)) {
        prompts_.report(this, text_.main("Revert failed"), text_.openProblem(error),
                        QString::fromStdString(error.details));
        return false;
    }
    reloadView();
    refreshTitle();
    return true;
}

bool DocumentWindow::maybeSave() {
    if (!document_->isChanged()) return true;
    switch (prompts_.askToSave(this, displayName())) {
        case UserPrompts::SaveChoice::Save: return save();
        case UserPrompts::SaveChoice::Discard: return true;
        case UserPrompts::SaveChoice::Cancel: return false;
    }
    return false;
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed(this);
}

void DocumentWindow::makeHistoryActions(std::function<void()> undo, std::function<void()> redo) {
    undo_ = new QAction(text_.main("Undo"), this);
    undo_->setObjectName(QStringLiteral("undo"));
    undo_->setShortcut(QKeySequence::Undo);
    connect(undo_, &QAction::triggered, this, std::move(undo));
    redo_ = new QAction(text_.main("Redo"), this);
    redo_->setObjectName(QStringLiteral("redo"));
    redo_->setShortcut(QKeySequence::Redo);
    connect(redo_, &QAction::triggered, this, std::move(redo));
}

void DocumentWindow::shareShortcutsWith(QWidget* child) {
    if (undo_ && redo_) child->addActions({undo_, redo_});
    QList<QKeySequence> closeKeys{QKeySequence(Qt::Key_Escape)};
    for (QAction* a : findChildren<QAction*>()) {
        const QString name = a->objectName();
        if (name == QLatin1String("fileSave") || name == QLatin1String("fileSaveAs") ||
            name == QLatin1String("fileQuit"))
            child->addAction(a);
        if (name == QLatin1String("fileClose")) closeKeys << a->shortcuts();
    }
    auto* close = new QAction(text_.main("Close"), child);
    close->setObjectName(QStringLiteral("closeWindow"));
    close->setShortcuts(closeKeys);
    connect(close, &QAction::triggered, child, &QWidget::close);
    child->addAction(close);
}

void DocumentWindow::showHistory(bool canUndo, bool canRedo, const std::string& undoName,
                                 const std::string& redoName) {
    if (!undo_ || !redo_) return;
    undo_->setEnabled(canUndo);
    redo_->setEnabled(canRedo);
    undo_->setText(undoName.empty() ? text_.main("Undo")
                                    : text_.format("Main", "Undo %@", "error !", {undoName}));
    redo_->setText(redoName.empty() ? text_.main("Redo")
                                    : text_.format("Main", "Redo %@", "error !", {redoName}));
}
