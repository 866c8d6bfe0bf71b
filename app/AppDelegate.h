#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <vector>

namespace divelog {
class AppContext;
}
class CalculatorWindow;
class DocumentWindow;
class MyDocumentController;
class PickListWindow;
class Preferences;
class QMenu;

// Builds every document window's menu bar and answers the application-wide
// commands: calculators, pick-list editors, preferences, renumbering, about
// and quit.
// Calculator and editor windows are created on first use and kept, so a
// second use brings back the same window with what was left in it.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    // One application command that opens a tool window.
    struct ToolCommand {
        const char* command;    // the action's object name
        const char* layout;     // window layout name, also the key of its title in "Main"
        const char* listKey;    // pick list shown, null for calculators
        const char* reloadKey;  // pick list reread from the store first, or null
        bool separatorBefore;
    };
    static const std::vector<ToolCommand>& calculatorCommands();
    static const std::vector<ToolCommand>& pickListCommands();

    AppDelegate(divelog::AppContext& context, MyDocumentController& controller,
                QObject* parent = nullptr);
    ~AppDelegate() override;

    // Gives the window its menu bar; the controller calls this for each window.
    void installMenus(DocumentWindow* window);

    // Shows the window of a command from the two tables above (a calculator
    // or a pick-list editor).
    QWidget* showTool(const ToolCommand& command);
    // The calculator window of a layout, or null before its first use.
    CalculatorWindow* toolWindow(const QString& layout) const;
    // The pick-list editor of a layout, or null before its first use.
    PickListWindow* editorWindow(const QString& layout) const;
    // Help > About: the version, the licence, and the files it reads and
    // writes, from the kind table and the exchange formats.
    QString aboutText() const;
    // Null before the preferences were first shown.
    Preferences* preferencesWindow() const { return preferences_.get(); }

public slots:
    Preferences* showPreferencePanel();
    // Every open logbook brings its renumbering panel to the front.
    void sendRenumDivesNotification();
    void quit();

private:
    QMenu* buildFileMenu(DocumentWindow* window);
    QMenu* buildEditMenu(DocumentWindow* window);
    QMenu* buildToolMenu(DocumentWindow* window, const char* titleKey,
                         const std::vector<ToolCommand>& commands);
    QMenu* buildLogbookMenu(DocumentWindow* window);
    QMenu* buildHelpMenu(DocumentWindow* window);
    void fillRecentMenu(QMenu* menu);

    divelog::AppContext& context_;
    MyDocumentController& controller_;
    std::map<QString, std::unique_ptr<CalculatorWindow>> tools_;
    std::map<QString, std::unique_ptr<PickListWindow>> editors_;
    std::unique_ptr<Preferences> preferences_;
};
