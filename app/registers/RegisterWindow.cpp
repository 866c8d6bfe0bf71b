#include "registers/RegisterWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QStatusBar>
#include <QTableView>
#include <QTextDocument>
#include <algorithm>

#include "Printing.h"
#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "registers/RegisterCard.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterFormBinder.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterToolbars.h"
#include "settings/AppContext.h"
#include "tools/DocumentToolbar.h"
#include "tools/ListTableBinding.h"
#include "tools/StyledTextWindow.h"

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The registers' page set-up: 24.8 points at the top, 25 at the bottom, 10
// at the sides, drawn at 0.7.
PrintSettings registerPrint(QPageLayout::Orientation orientation) {
    return {orientation, QMarginsF(10, 24.8, 10, 25), 0.7, false};
}

// Pictures larger than this are refused rather than kept in every save.
constexpr qint64 kLargestPicture = 32 * 1024 * 1024;

}  // namespace

RegisterWindow::RegisterWindow(std::unique_ptr<divelog::RegisterDocument> document,
                               divelog::AppContext& context, const UiText& text,
                               UserPrompts& prompts)
    : DocumentWindow(std::move(document), context, text, prompts) {
    session_ = std::make_unique<divelog::RegisterSession>(registerDocument(), context.pickLists(),
                                                          context.localisation());
    setObjectName(QStringLiteral("registerWindow"));
    // Nine kinds of register, and logbooks beside them: the title says which.
    setKindInTitle(true);
    buildTable();
    buildToolbar();
    buildMenuActions();
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("cardCount"));
    count_->setContentsMargins(0, 0, 12, 0);
    statusBar()->addPermanentWidget(count_);
    statusBar()->setSizeGripEnabled(false);
    int width = 40;
    for (int c = 0; c < model_->columnCount(); ++c) width += table_->columnWidth(c);
    resize(std::clamp(width, 700, 1400), 560);
    connect(this, &DocumentWindow::saved, this, [this] { refreshChildTitles(); });
    session_->documentLoaded();
    afterCommand();
}

RegisterWindow::~RegisterWindow() {
    // The session dies before the child widgets; none may reach it meanwhile.
    binding_->detach();
    delete edit_;
    delete table_;
    delete model_;
}

divelog::RegisterDocument& RegisterWindow::registerDocument() {
    return static_cast<divelog::RegisterDocument&>(document());
}

void RegisterWindow::buildTable() {
    model_ = new RegisterTableModel(registerDocument(), text_, this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("registerTable"));
    table_->setModel(model_);
    ListTableBinding::configure(table_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = table_->horizontalHeader();
    const auto columns = session_->spec().columns();
    // At least as wide as the column's title.
    const QFontMetrics metrics = header->fontMetrics();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c);
        const QString title = model_->headerData(column, Qt::Horizontal).toString();
        table_->setColumnWidth(column,
                               std::max(columns[c].width, metrics.horizontalAdvance(title) + 24));
    }
    setCentralWidget(table_);
    fitColumnsToContent();
    // New or changed cards may hold longer texts ("Diesel-electric", an e-mail
    // address): their columns widen to show them.
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { fitColumnsToContent(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { fitColumnsToContent(); });
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { fitColumnsToContent(); });
    connect(header, &QHeaderView::sectionClicked, this, &RegisterWindow::sortByColumn);
    binding_ = new ListTableBinding(
        table_, *session_, [this](QWidget* parent) { return prompts_.askToAddCard(parent); }, this);
    binding_->setQuestionParent([this]() -> QWidget* {
        return edit_ && edit_->isVisible() ? static_cast<QWidget*>(edit_) : this;
    });
    binding_->setOnStored([this](const std::vector<std::string>&) { afterCommand(); });
    binding_->setOnSelected([this](const std::vector<std::string>&) { afterSelection(); });
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openEditWindowOn(index.row()); });
}

void RegisterWindow::fitColumnsToContent() {
    // Never narrower than the user made a column; the last one stretches anyway.
    constexpr int kWidest = 480;
    for (int c = 0; c + 1 < model_->columnCount(); ++c) {
        const QAbstractItemView* view = table_;  // public there
        const int needed = std::min(view->sizeHintForColumn(c) + 8, kWidest);
        if (needed > table_->columnWidth(c)) table_->setColumnWidth(c, needed);
    }
}

void RegisterWindow::buildToolbar() {
    const divelog::RegisterNames& n = session_->spec().names();
    toolbar_ = new DocumentToolbar(divelog::RegisterToolbars::list(session_->spec()),
                                   context_.settings(), text_, this);
    addToolBar(toolbar_);
    toolbar_->setHandler("saveDocument", [this] { save(); });
    toolbar_->setHandler("imprimer", [this] { askToPrintList(); });
    toolbar_->setHandler(std::string(n.newItem), [this] { newCard(); });
    toolbar_->setHandler(std::string(n.deleteItem), [this] { deleteCards(); });
    toolbar_->setHandler("synthese", [this] { showSynthesis(); });
}

void RegisterWindow::buildMenuActions() {
    auto add = [this](const char* name, const char* key, const char* fallback, QKeySequence keys,
                      void (RegisterWindow::*slot)()) {
        auto* a = new QAction(text_.main(key, fallback), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        menuActions_ << a;
        return a;
    };
    add("registerNewCard", "New card", "New card", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
        &RegisterWindow::newCard);
    add("registerEditCard", "Edit card", "Edit card", QKeySequence(Qt::CTRL | Qt::Key_E),
        &RegisterWindow::openEditWindow);
    // The edit toolbar's commands, for the keyboard too (the edit window
    // answers their shortcuts).
    add("registerAddCard", "Add card", "Add card", QKeySequence(Qt::CTRL | Qt::Key_Return),
        &RegisterWindow::addCard);
    add("registerInsertCard", "Insert card", "Insert card",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Return), &RegisterWindow::insertCard);
    add("registerUpdateCard", "Update card", "Update card",
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Return), &RegisterWindow::updateCard);
    add("registerEraseCard", "Erase form", "Erase the form", QKeySequence(),
        &RegisterWindow::blankFields);
    add("registerDeleteCard", "Delete card", "Delete card", QKeySequence::Delete,
        &RegisterWindow::deleteCards);
    if (session_->spec().hasCard())
        add("registerSynthesis", "Synthesis card", "Synthesis card", QKeySequence(),
            &RegisterWindow::showSynthesis);
    add("registerPrintList", "Print list", "Print list...", QKeySequence::Print,
        &RegisterWindow::askToPrintList);
    if (session_->spec().hasCard())
        add("registerPrintSynthesis", "Print register card", "Print summary card...",
            QKeySequence(), &RegisterWindow::askToPrintSynthesis);
    makeHistoryActions([this] { undo(); }, [this] { redo(); });
}

RegisterEditWindow* RegisterWindow::editWindow() {
    if (edit_) return edit_;
    const divelog::RegisterNames& n = session_->spec().names();
    edit_ = new RegisterEditWindow(*session_, context_, text_, this);
    refreshChildTitles();
    DocumentToolbar* bar = edit_->toolbar();
    bar->setHandler("saveDocument", [this] { save(); });
    bar->setHandler(std::string(n.addItem), [this] { addCard(); });
    bar->setHandler(std::string(n.insertItem), [this] { insertCard(); });
    bar->setHandler(std::string(n.updateItem), [this] { updateCard(); });
    bar->setHandler("blankFields", [this] { blankFields(); });
    bar->setHandler("synthese", [this] { showSynthesis(); });
    connect(edit_, &RegisterEditWindow::previousRequested, this, &RegisterWindow::previousCard);
    connect(edit_, &RegisterEditWindow::nextRequested, this, &RegisterWindow::nextCard);
    connect(edit_, &RegisterEditWindow::formEdited, this, [this] { updateHistoryActions(); });
    RegisterFormBinder& binder = edit_->binder();
    connect(&binder, &RegisterFormBinder::comboEditFinished, this,
            &RegisterWindow::onComboEditFinished);
    binder.setImageChooser([this] { return chooseImage(); });
    edit_->setCloseGuard([this] { return onEditWindowClosing(); });
    shareShortcutsWith(edit_);
    for (QAction* a : menuActions_)
        if (a->objectName() == QLatin1String("registerAddCard") ||
            a->objectName() == QLatin1String("registerInsertCard") ||
            a->objectName() == QLatin1String("registerUpdateCard"))
            edit_->addAction(a);
    return edit_;
}

StyledTextWindow* RegisterWindow::synthesisWindow() {
    if (!synthesis_) {
        synthesis_ = new StyledTextWindow(
            q(std::string(session_->spec().table())) + QStringLiteral(" synthesis"),
            text_.main("Print"), context_.settings(), this);
        synthesis_->setObjectName(QStringLiteral("synthesisWindow"));
        refreshChildTitles();
        connect(synthesis_, &StyledTextWindow::printRequested, this,
                &RegisterWindow::askToPrintSynthesis);
    }
    return synthesis_;
}

void RegisterWindow::showSynthesis() {
    StyledTextWindow* w = synthesisWindow();
    // Rebuilt each time it is asked for; it is not updated while it stays open.
    if (registerDocument().recordCount() > 0)
        w->setText(
            divelog::registerCard(registerDocument(), context_.localisation(), divelog::dateNow()));
    w->present();
}

std::optional<divelog::Image> RegisterWindow::chooseImage() {
    const QString path =
        prompts_.openPath(edit_ ? static_cast<QWidget*>(edit_) : this,
                          text_.main("Pictures", "Pictures") +
                              QStringLiteral(" (*.png *.jpg *.jpeg *.gif *.bmp *.tif *.tiff)"));
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestPicture) {
        prompts_.report(this, text_.main("Picture not read", "The picture could not be read."),
                        file.size() > kLargestPicture
                            ? text_.main("Picture too large", "The picture is too large.")
                            : file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    // A file that is no picture would be stored and never shown: refused now.
    if (!QImage().loadFromData(bytes)) {
        prompts_.report(edit_ ? static_cast<QWidget*>(edit_) : this,
                        text_.main("Picture not read", "The picture could not be read."),
                        text_.format("Main", "Not a picture", "error !",
                                     {QFileInfo(path).fileName().toStdString()}));
        return std::nullopt;
    }
    return divelog::Image{std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

bool RegisterWindow::settleUnstoredCard() { return binding_->settleUnstored(); }

void RegisterWindow::newCard() {
    if (!settleUnstoredCard()) return;
    session_->newRecord();
    editWindow()->present(this);
    afterCommand();
    edit_->focusFirstField();
}

void RegisterWindow::addCard() {
    session_->add();
    afterCommand();
    table_->scrollToBottom();
    // The next card is typed from its first field, whichever control was used last.
    if (edit_) edit_->focusFirstField();
}

void RegisterWindow::insertCard() {
    session_->insert();
    afterCommand();
}

void RegisterWindow::updateCard() {
    session_->update();
    afterCommand();
}

void RegisterWindow::blankFields() {
    if (!settleUnstoredCard()) return;
    session_->blankFields();
    afterCommand();
    if (edit_) edit_->focusFirstField();
}

void RegisterWindow::deleteCards() {
    if (session_->selection().empty()) return;
    QApplication::beep();
    if (!prompts_.confirm(this, text_.main("Erase card"))) return;
    session_->deleteSelected();
    afterCommand();
}

void RegisterWindow::previousCard() {
    if (!settleUnstoredCard()) return;
    session_->previous();
    afterCommand();
}

void RegisterWindow::nextCard() {
    if (!settleUnstoredCard()) return;
    session_->next();
    afterCommand();
}

void RegisterWindow::openEditWindow() {
    session_->editWindow();
    editWindow()->present(this);
    afterCommand();
}

void RegisterWindow::openEditWindowOn(int row) {
    if (row < 0) return;
    const auto r = static_cast<std::size_t>(row);
    if (session_->wouldDropUnstored({r}) && !settleUnstoredCard()) return;
    session_->editWindow(r);
    editWindow()->present(this);
    afterCommand();
}

bool RegisterWindow::onEditWindowClosing() {
    if (!settleUnstoredCard()) return false;
    session_->storePendingEdits();
    afterCommand();
    return true;
}

void RegisterWindow::onComboEditFinished(const QString& field) {
    if (asking_) return;
    const std::string name = field.toStdString();
    const std::string typed = session_->form().text(name);
    bool yes = false;
    if (session_->comboNeedsQuestion(name, typed)) {
        asking_ = true;  // the question takes the focus, which ends the editing again
        QApplication::beep();
        yes = prompts_.ask(edit_, text_.main("Add item to ComboBox"), text_.main("Yes"),
                           text_.main("No"));
        asking_ = false;
    }
    session_->comboEdited(name, typed, yes);
    if (edit_) edit_->binder().reloadPickLists();
    afterCommand();
}

void RegisterWindow::sortByColumn(int column) {
    const std::string_view field = model_->field(column);
    const bool ascending = session_->sortByColumn(field);
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(
        column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    afterCommand();
}

void RegisterWindow::undo() {
    if (!session_->canUndo()) return;
    session_->undo();
    afterCommand();
}

void RegisterWindow::redo() {
    if (!session_->canRedo()) return;
    session_->redo();
    afterCommand();
}

void RegisterWindow::updateHistoryActions() {
    showHistory(session_->canUndo(), session_->canRedo(), session_->undoName(),
                session_->redoName());
}

void RegisterWindow::askToPrintList() {
    QPrinter printer(QPrinter::HighResolution);
    Printing::apply(printer, registerPrint(QPageLayout::Landscape));
    if (Printing::ask(this, printer)) printList(printer);
}

void RegisterWindow::askToPrintSynthesis() {
    QPrinter printer(QPrinter::HighResolution);
    Printing::apply(printer, registerPrint(QPageLayout::Portrait));
    if (Printing::ask(this, printer)) printSynthesis(printer);
}

void RegisterWindow::printList(QPrinter& printer) {
    // The selection is not printed.
    table_->clearSelection();
    const PrintSettings settings = registerPrint(QPageLayout::Landscape);
    Printing::apply(printer, settings);
    QList<int> columns;
    for (int c = 0; c < model_->columnCount(); ++c) columns << c;
    Printing::printTable(printer, *model_, columns, displayName(), settings);
}

void RegisterWindow::printSynthesis(QPrinter& printer) {
    const PrintSettings settings = registerPrint(QPageLayout::Portrait);
    Printing::apply(printer, settings);
    StyledTextWindow* w = synthesisWindow();
    w->setText(
        divelog::registerCard(registerDocument(), context_.localisation(), divelog::dateNow()));
    Printing::printDocument(printer, w->document(), settings);
}

void RegisterWindow::reloadView() {
    session_->documentLoaded();
    afterCommand();
}

bool RegisterWindow::prepareToSave() {
    session_->storePendingEdits();
    afterCommand();
    return !session_->refused();
}

void RegisterWindow::closeEvent(QCloseEvent* event) {
    // A new card is asked about; the edits of the card shown are stored.
    if (!settleUnstoredCard()) {
        event->ignore();
        return;
    }
    session_->storePendingEdits();
    afterCommand();
    DocumentWindow::closeEvent(event);
}

void RegisterWindow::afterCommand() {
    binding_->showSelection();
    count_->setText(q(session_->countText()).trimmed());
    afterSelection();
}

void RegisterWindow::refreshChildTitles() {
    // The kind and the file, as the list window's title says them.
    if (edit_)
        edit_->setWindowTitle(text_.kindName(document().info()) + QStringLiteral(" — ") +
                              displayName());
    if (synthesis_)
        synthesis_->setWindowTitle(text_.main("Synthesis card") + QStringLiteral(" — ") +
                                   displayName());
}

void RegisterWindow::afterSelection() {
    toolbar_->updateEnabling([this](const std::string& id) { return session_->isItemEnabled(id); });
    if (edit_) edit_->showForm();
    const divelog::RegisterNames& n = session_->spec().names();
    for (QAction* a : menuActions_) {
        const QString name = a->objectName();
        if (name == QLatin1String("registerDeleteCard"))
            a->setEnabled(!session_->selection().empty());
        else if (name == QLatin1String("registerInsertCard"))
            a->setEnabled(session_->isItemEnabled(n.insertItem));
        else if (name == QLatin1String("registerUpdateCard"))
            a->setEnabled(session_->isItemEnabled(n.updateItem));
    }
    updateHistoryActions();
    documentEdited();
}
