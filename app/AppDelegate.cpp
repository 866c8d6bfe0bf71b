#include "AppDelegate.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "ComboBoxes/ComboPaysController.h"
#include "ComboBoxes/PickListWindow.h"
#include "DocumentWindow.h"
#include "MyDocumentController.h"
#include "calculators/CalculatorFactory.h"
#include "calculators/CalculatorLayouts.h"
#include "settings/AppContext.h"
#include "settings/Preferences.h"

const std::vector<AppDelegate::ToolCommand>& AppDelegate::calculatorCommands() {
    static const std::vector<ToolCommand> c = [] {
        std::vector<ToolCommand> commands;
        for (const auto& l : divelog::calculators::calculatorLayouts())
            commands.push_back({l.command, l.layout, nullptr, nullptr, l.separatorBefore});
        return commands;
    }();
    return c;
}

const std::vector<AppDelegate::ToolCommand>& AppDelegate::pickListCommands() {
    static const std::vector<ToolCommand> c = {
        {"showSacWindow", "ComboSacDePlongee", "sac de plongee", nullptr, false},
        {"showLieuWindow", "ComboLieu", "lieux", nullptr, false},
        {"showSiteWindow", "ComboSite", "sites", nullptr, false},
        {"showPaysWindow", "ComboPays", "pays", nullptr, false},
        {"showPalanqueeWindow", "ComboPalanquee", "partenaires", nullptr, false},
        {"showEpaveWindow", "ComboEpaves", "epaves", nullptr, false},
        {"showStructureWindow", "ComboStructures", "structures", nullptr, false},
        {"showOrdiWindow", "ComboOrdi", "ordinateurs", nullptr, false},
        {"showTypesMatosWindow", "ComboTypesMatos", "type materiel", "type materiel", true},
        {"showMagasinsWindow", "ComboMagasinsMatos", "magasins", "magasins", false},
        {"showMarquesWindow", "ComboMarques", "fabricants", "fabricants", false},
        {"showPrestationWindow", "ComboPrestation", "prestations", "prestations", false},
        {"showActiviteWindow", "ComboActivite", "activite", "activite", false},
        {"showTypeEpaveWindow", "ComboTypeEpave", "type epave", "type epave", true},
        {"showNaufrageWindow", "ComboNaufrage", "cause naufrage", "cause naufrage", false},
    };
    return c;
}

AppDelegate::AppDelegate(divelog::AppContext& context, MyDocumentController& controller,
                         QObject* parent)
    : QObject(parent), context_(context), controller_(controller) {
    controller_.setWindowDecorator([this](DocumentWindow* w) { installMenus(w); });
}

AppDelegate::~AppDelegate() { controller_.setWindowDecorator({}); }

void AppDelegate::installMenus(DocumentWindow* window) {
    QMenuBar* bar = window->menuBar();
    bar->clear();
    bar->addMenu(buildFileMenu(window));
    bar->addMenu(buildEditMenu(window));
    bar->addMenu(buildToolMenu(window, "Calculators", calculatorCommands()));
    bar->addMenu(buildToolMenu(window, "Lists", pickListCommands()));
    if (window->document().kind() == divelog::DocumentKind::Carnet) {
        bar->addMenu(buildLogbookMenu(window));
    } else if (!window->documentActions().isEmpty()) {
        auto* cards = new QMenu(controller_.text().main("Cards menu", "Cards"), window);
        cards->addActions(window->documentActions());
        bar->addMenu(cards);
    }
    bar->addMenu(buildHelpMenu(window));
}

QWidget* AppDelegate::showTool(const ToolCommand& command) {
    const UiText& t = controller_.text();
    const QString layout = QString::fromLatin1(command.layout);
    if (command.listKey) {
        // Before the editor shows the list, so it shows the fresh copy.
        if (command.reloadKey) context_.pickLists().reload(command.reloadKey);
        auto& editor = editors_[layout];
        if (!editor) {
            UserPrompts& prompts = controller_.prompts();
            if (layout == QLatin1String("ComboPays"))
                editor = std::make_unique<ComboPaysController>(context_, t, prompts);
            else
                editor =
                    std::make_unique<PickListEditor>(context_, t, prompts, layout, command.listKey);
        }
        editor->present();
        return editor.get();
    }
    auto& slot = tools_[layout];
    if (!slot) slot = makeCalculator(layout, context_, t);
    if (!slot) return nullptr;
    slot->present();
    return slot.get();
}

CalculatorWindow* AppDelegate::toolWindow(const QString& layout) const {
    auto it = tools_.find(layout);
    return it == tools_.end() ? nullptr : it->second.get();
}

PickListWindow* AppDelegate::editorWindow(const QString& layout) const {
    auto it = editors_.find(layout);
    return it == editors_.end() ? nullptr : it->second.get();
}

Preferences* AppDelegate::showPreferencePanel() {
    if (!preferences_)
        preferences_ =
            std::make_unique<Preferences>(context_, controller_.text(), controller_.prompts());
    preferences_->present();
    return preferences_.get();
}

void AppDelegate::sendRenumDivesNotification() {
    context_.notifications().post(divelog::notification::kRenumDives);
}

void AppDelegate::quit() {
    if (controller_.closeAll()) QApplication::quit();
}

QMenu* AppDelegate::buildToolMenu(DocumentWindow* window, const char* titleKey,
                                  const std::vector<ToolCommand>& commands) {
    auto* menu = new QMenu(controller_.text().main(titleKey), window);
    for (const ToolCommand& c : commands) {
        if (c.separatorBefore) menu->addSeparator();
        QAction* a = menu->addAction(controller_.text().main(c.layout) + QStringLiteral("..."));
        a->setObjectName(QString::fromLatin1(c.command));
        connect(a, &QAction::triggered, this, [this, &c] { showTool(c); });
    }
    return menu;
}

QMenu* AppDelegate::buildLogbookMenu(DocumentWindow* window) {
    auto* menu = new QMenu(controller_.text().main("Logbook"), window);
    const QList<QAction*> own = window->documentActions();
    menu->addActions(own);
    if (!own.isEmpty()) menu->addSeparator();
    QAction* renumber = menu->addAction(controller_.text().main("Renumber dives..."));
    renumber->setObjectName(QStringLiteral("sendRenumDivesNotification"));
    connect(renumber, &QAction::triggered, this, &AppDelegate::sendRenumDivesNotification);
    return menu;
}

QMenu* AppDelegate::buildHelpMenu(DocumentWindow* window) {
    const UiText& t = controller_.text();
    auto* menu = new QMenu(t.main("Help"), window);
    QAction* about = menu->addAction(t.main("About DiveLog"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, window, [window, &t] {
        QMessageBox::about(window, t.main("About DiveLog"), t.main("About text"));
    });
    return menu;
}

QMenu* AppDelegate::buildEditMenu(DocumentWindow* window) {
    const UiText& t = controller_.text();
    auto* menu = new QMenu(t.main("Edit"), window);
    // The edit commands act on whichever text widget has the focus.
    auto add = [&](const char* key, QKeySequence::StandardKey keys, const char* slot) {
        QAction* a = menu->addAction(t.main(key));
        a->setShortcut(keys);
        connect(a, &QAction::triggered, window, [slot] {
            QWidget* w = QApplication::focusWidget();
            const QByteArray signature = QByteArray(slot) + "()";
            if (w && w->metaObject()->indexOfMethod(signature.constData()) >= 0)
                QMetaObject::invokeMethod(w, slot, Qt::DirectConnection);
        });
    };
    // Undo and Redo take back changes to the document, named after them; a
    // kind without a history shows them disabled. Text fields keep their own
    // undo for what is being typed.
    for (QAction* own : {window->undoAction(), window->redoAction()}) {
        if (own) {
            menu->addAction(own);
            continue;
        }
        QAction* idle = menu->addAction(t.main(menu->actions().isEmpty() ? "Undo" : "Redo"));
        idle->setEnabled(false);
    }
    menu->addSeparator();
    add("Cut", QKeySequence::Cut, "cut");
    add("Copy", QKeySequence::Copy, "copy");
    add("Paste", QKeySequence::Paste, "paste");
    add("Select All", QKeySequence::SelectAll, "selectAll");
    menu->addSeparator();
    QAction* prefs = menu->addAction(t.main("Preferences..."));
    prefs->setObjectName(QStringLiteral("showPreferencePanel"));
    prefs->setMenuRole(QAction::PreferencesRole);
    // Not every desktop binds the standard sequence; Ctrl+, is the usual one.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Preferences);
    if (keys.isEmpty()) keys << QKeySequence(Qt::CTRL | Qt::Key_Comma);
    prefs->setShortcuts(keys);
    connect(prefs, &QAction::triggered, this, &AppDelegate::showPreferencePanel);
    return menu;
}

QMenu* AppDelegate::buildFileMenu(DocumentWindow* window) {
    const UiText& t = controller_.text();
    auto* menu = new QMenu(t.main("File"), window);

    // One entry per row of the kind table; the default kind comes first, apart,
    // with the usual shortcut.
    QMenu* newMenu = menu->addMenu(t.main("New"));
    for (const auto& kind : divelog::documentKinds()) {
        QAction* a = newMenu->addAction(t.kindName(kind));
        QString command = QString::fromLatin1(kind.newCommand.data(), kind.newCommand.size());
        a->setObjectName(command.remove(QLatin1Char(':')));
        const divelog::DocumentKind k = kind.kind;
        connect(a, &QAction::triggered, &controller_,
                [this, k] { controller_.newDocumentOfKind(k); });
        if (k == divelog::kDefaultDocumentKind) {
            a->setShortcut(QKeySequence::New);
            newMenu->addSeparator();
        }
    }

    QAction* open = menu->addAction(t.main("Open..."));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, &controller_, &MyDocumentController::openDocumentMenuAction);
    QMenu* recent = menu->addMenu(t.main("Open Recent"));
    recent->setObjectName(QStringLiteral("openRecentMenu"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    fillRecentMenu(recent);
    menu->addSeparator();

    // Standard keys, with the usual ones where the platform binds none.
    auto keys = [](QKeySequence::StandardKey key, QKeySequence usual) {
        QList<QKeySequence> bound = QKeySequence::keyBindings(key);
        return bound.isEmpty() ? QList<QKeySequence>{usual} : bound;
    };
    QAction* close = menu->addAction(t.main("Close"));
    close->setObjectName(QStringLiteral("fileClose"));
    close->setShortcuts(keys(QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W)));
    connect(close, &QAction::triggered, window, &QWidget::close);
    QAction* save = menu->addAction(t.main("Save"));
    save->setObjectName(QStringLiteral("fileSave"));
    save->setShortcuts(keys(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    connect(save, &QAction::triggered, window, [window] { window->save(); });
    QAction* saveAs = menu->addAction(t.main("Save As..."));
    saveAs->setObjectName(QStringLiteral("fileSaveAs"));
    saveAs->setShortcuts(
        keys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    connect(saveAs, &QAction::triggered, window, [window] { window->saveAs(); });
    QAction* revert = menu->addAction(t.main("Revert"));
    connect(revert, &QAction::triggered, window, [window] { window->revert(); });
    // Reverting needs a file to go back to and changes to throw away.
    connect(menu, &QMenu::aboutToShow, revert,
            [window, revert] { revert->setEnabled(window->canRevert()); });
    menu->addSeparator();

    QAction* quit = menu->addAction(t.main("Quit"));
    quit->setObjectName(QStringLiteral("fileQuit"));
    quit->setShortcuts(keys(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &AppDelegate::quit);
    return menu;
}

void AppDelegate::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList recent = controller_.recentDocuments();
    for (const QString& path : recent) {
        QAction* a = menu->addAction(QFileInfo(path).fileName());
        a->setToolTip(path);
        a->setData(path);
        connect(a, &QAction::triggered, &controller_,
                [this, path] { controller_.openDocument(path); });
    }
    if (!recent.isEmpty()) menu->addSeparator();
    QAction* clear = menu->addAction(controller_.text().main("Clear Menu"));
    clear->setEnabled(!recent.isEmpty());
    connect(clear, &QAction::triggered, &controller_, &MyDocumentController::clearRecentDocuments);
}
