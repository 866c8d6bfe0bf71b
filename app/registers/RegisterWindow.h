#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "DocumentWindow.h"
#include "archive/ArchiveValues.h"

namespace divelog {
class RegisterDocument;
class RegisterSession;
}  // namespace divelog
class DocumentToolbar;
class ListTableBinding;
class QLabel;
class QPrinter;
class QTableView;
class RegisterEditWindow;
class RegisterTableModel;
class StyledTextWindow;

// The list window of a register: its sortable table, the record count and
// the list toolbar, over a RegisterSession that holds the rules. It owns the
// edit window and the synthesis window. Each command asks the session, then
// brings the table, its selection and the edit window up to date.
class RegisterWindow : public DocumentWindow {
    Q_OBJECT
public:
    RegisterWindow(std::unique_ptr<divelog::RegisterDocument> document,
                   divelog::AppContext& context, const UiText& text, UserPrompts& prompts);
    ~RegisterWindow() override;

    divelog::RegisterDocument& registerDocument();
    divelog::RegisterSession& session() { return *session_; }
    RegisterTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    QLabel* countLabel() const { return count_; }
    DocumentToolbar* toolbar() const { return toolbar_; }
    // Made on first use and kept.
    RegisterEditWindow* editWindow();
    StyledTextWindow* synthesisWindow();
    QList<QAction*> documentActions() const override { return menuActions_; }
    // Asks about a new card typed in the form and stored nowhere, before an
    // action would drop it. False: the user cancelled.
    bool settleUnstoredCard();

    // The two prints, onto a printer already chosen (a PDF file in tests).
    void printList(QPrinter& printer);
    void printSynthesis(QPrinter& printer);

public slots:
    void newCard();
    void addCard();
    void insertCard();
    void updateCard();
    void deleteCards();
    void blankFields();
    void previousCard();
    void nextCard();
    void openEditWindow();
    void showSynthesis();
    void sortByColumn(int column);
    void undo();
    void redo();
    void askToPrintList();
    void askToPrintSynthesis();

protected:
    void reloadView() override;
    bool prepareToSave() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTable();
    void fitColumnsToContent();
    void buildToolbar();
    void buildMenuActions();
    void openEditWindowOn(int row);
    bool onEditWindowClosing();
    void afterCommand();
    void afterSelection();
    void refreshChildTitles();
    void onComboEditFinished(const QString& field);
    void updateHistoryActions();
    std::optional<divelog::Image> chooseImage();

    std::unique_ptr<divelog::RegisterSession> session_;
    RegisterTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    DocumentToolbar* toolbar_ = nullptr;
    RegisterEditWindow* edit_ = nullptr;
    StyledTextWindow* synthesis_ = nullptr;
    QList<QAction*> menuActions_;
    ListTableBinding* binding_ = nullptr;
    bool asking_ = false;
};
