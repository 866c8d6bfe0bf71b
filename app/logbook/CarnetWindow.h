#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DocumentWindow.h"
#include "dive/Plongee.h"

namespace divelog {
class Carnet;
class CarnetSession;
}  // namespace divelog
class DiveEditWindow;
class DiveSearchField;
class DiveTableModel;
class LogbookReports;
class ListTableBinding;
class LogbookToolbar;
class ProfileDataWindow;
class ProfilWindow;
class QLabel;
class QStackedWidget;
class QTableView;
class RenumberPanel;

// The logbook window: the dive table, the search field, the dive and found
// counts and the table toolbar, over a CarnetSession that holds the rules.
// Each command asks the session, then brings the table, its selection and
// the edit window up to date and shows the alerts the session returned.
class CarnetWindow : public DocumentWindow {
    Q_OBJECT
public:
    CarnetWindow(std::unique_ptr<divelog::Carnet> carnet, divelog::AppContext& context,
                 const UiText& text, UserPrompts& prompts);
    ~CarnetWindow() override;

    divelog::Carnet& carnet();
    divelog::CarnetSession& session() { return *session_; }
    DiveTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    // Stands in for the table while the logbook has no dive: new dive,
    // import, the sample logbook.
    QWidget* welcomeView() const { return welcome_; }
    bool showsWelcome() const;
    QLabel* countLabel() const { return count_; }
    QLabel* foundLabel() const { return found_; }
    DiveSearchField* searchField() const { return search_; }
    LogbookToolbar* toolbar() const { return toolbar_; }
    // Made on first use and kept.
    DiveEditWindow* editWindow();
    RenumberPanel* renumberPanel();
    ProfilWindow* profileWindow();
    ProfileDataWindow* profileDataWindow();
    // The statistics, their graphs, the dive card and the prints.
    LogbookReports& reports() { return *reports_; }
    QList<QAction*> documentActions() const override { return menuActions_; }
    // Asks about a new dive typed in the form and stored nowhere, before an
    // action would drop it; adds or discards it as told. False: cancelled.
    bool settleUnstoredDive();
    // Asks about samples typed in the profile-data window and not applied,
    // before another dive is shown or the window closes: applies them, drops
    // them, or (false) cancels.
    bool settleProfileData();

public slots:
    void newDive();
    void addDive();
    void insertDive();
    void updateDive();
    // Beeps and asks, then removes every selected dive.
    void deleteDive();
    void previousDive();
    void nextDive();
    void blankFields();
    // Brings the edit window to the front with the selected dive, or with
    // `row` (a double-click on it).
    void openEditWindow();
    void openEditWindowOn(int row);
    // Stores the form into the selected dive if it was edited, then hides the
    // edit window.
    void closeEditWindow();
    void find(divelog::Plongee::Field field, const QString& text);
    void undo();
    void redo();
    // displayProfilWindow and profilInfo: the two profile windows, in front.
    void displayProfilWindow();
    void profilInfo();
    // importProfil: the profile-data window's series into the dive shown.
    void importProfil();
    // importUDCF, importUDDF, the companion file and a Subsurface logbook: a
    // file's dives appended as one step, with a report of what was read. An
    // empty format offers every format's files and reads each as what it holds.
    void importDives(const QString& format);
    // Reads a file of a format (empty: found from the file) and appends its
    // dives; false when none came.
    bool importFile(const QString& format, const QString& path);
    void sortByColumn(int column);
    void renumber(int firstNumber);

signals:
    // The welcome view's "Open the sample logbook"; the application answers.
    void sampleLogbookRequested();

protected:
    QList<ExportType> exportTypes() const override;
    bool exportTo(const QString& type, const QString& path) override;
    void reloadView() override;
    bool prepareToSave() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTable();
    QWidget* buildWelcome();
    void showWelcomeWhenEmpty();
    void buildToolbar();
    void buildMenuActions();
    void buildStatisticsAndCard();
    void observeNotifications();
    void applyColumnVisibility();
    void redisplay();
    void refreshForm();
    // The table, its selection, the counts, the toolbars and the edit window
    // after a command; then the alerts the command returned.
    void afterCommand(const std::vector<std::string>& alerts = {});
    // The edit window, the menus and the profile windows after the selection
    // or the list changed; then the alerts.
    void afterSelection(const std::vector<std::string>& alerts);
    bool onEditWindowClosing();
    bool settleBeforeLeavingDive();
    // The profile-data window's sheet into the form and the dive shown; false
    // (with an alert) when a value is no number.
    bool applyProfileData();
    void showAlerts(const std::vector<std::string>& alerts);
    // The profile windows follow the dive shown; the data window is filled
    // again only when another dive is shown, so typing in it is not lost.
    void updateProfileWindows();
    // The tissues and oxygen over the profile are worked out while the edit or
    // profile window shows them.
    void followModelNeed();
    void updateHistoryActions();

    std::unique_ptr<divelog::CarnetSession> session_;
    // Goes before the session and the document it follows.
    std::unique_ptr<LogbookReports> reports_;
    DiveTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QWidget* welcome_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* found_ = nullptr;
    DiveSearchField* search_ = nullptr;
    LogbookToolbar* toolbar_ = nullptr;
    DiveEditWindow* edit_ = nullptr;
    RenumberPanel* renumber_ = nullptr;
    ProfilWindow* profile_ = nullptr;
    ProfileDataWindow* profileData_ = nullptr;
    std::optional<std::uint64_t> profileDataDive_;  // the dive the data window was filled for
    bool profileDataFilled_ = false;
    QList<QAction*> menuActions_;
    ListTableBinding* binding_ = nullptr;
};
