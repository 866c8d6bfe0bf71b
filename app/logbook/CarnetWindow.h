#pragma once

#include "DocumentWindow.h"

namespace divelog {
class Carnet;
}
class DiveTableModel;
class QLabel;
class QTableView;

// The logbook window: the dive table and the dive count. Its commands call
// the Carnet's list operations and then bring the table up to date.
class CarnetWindow : public DocumentWindow {
    Q_OBJECT
public:
    CarnetWindow(std::unique_ptr<divelog::Carnet> carnet, divelog::AppContext& context,
                 const UiText& text, UserPrompts& prompts);

    divelog::Carnet& carnet();
    DiveTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    QLabel* countLabel() const { return count_; }
    QAction* newDiveAction() const { return newDive_; }
    QAction* deleteDiveAction() const { return deleteDive_; }
    QList<QAction*> documentActions() const override { return {newDive_, deleteDive_}; }

public slots:
    // Appends a new dive with the values a blank form proposes.
    void newDive();
    // Beeps, asks, then removes every selected dive.
    void deleteDive();

protected:
    void reloadView() override;

private:
    void buildToolBar();
    void refreshCount();
    void updateActions();
    std::vector<std::size_t> selectedRows() const;

    DiveTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    QAction* save_ = nullptr;
    QAction* newDive_ = nullptr;
    QAction* deleteDive_ = nullptr;
};
