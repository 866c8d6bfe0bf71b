#include "settings/ToolBarPrefs.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>

#include "localisation/UiText.h"

const std::vector<ToolBarPrefs::Item>& ToolBarPrefs::items() {
    static const std::vector<Item> i = {
        {"general", "General", "GeneralPreferences"},
        {"carnet", "Logbook", "carnet"},
        {"affichage", "Display", "colonnes"},
        {"profil", "Profile", "profil"},
        {"deco", "Deco", "deco"},
    };
    return i;
}

ToolBarPrefs::ToolBarPrefs(const UiText& text, QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("prefsToolbar"));
    setMovable(false);
    setFloatable(false);
    // No show/hide: neither the window's context menu nor the view action offers it.
    setContextMenuPolicy(Qt::PreventContextMenu);
    toggleViewAction()->setVisible(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(32, 32));

    group_ = new QActionGroup(this);
    group_->setExclusive(true);
    int view = 1;
    for (const Item& i : items()) {
        QAction* a = addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(i.image))),
                               text.main(i.labelKey));
        a->setObjectName(QString::fromLatin1(i.identifier));
        a->setCheckable(true);
        group_->addAction(a);
        connect(a, &QAction::triggered, this, [this, view] { emit viewChosen(view); });
        ++view;
    }
}

QAction* ToolBarPrefs::item(const QString& identifier) const {
    for (QAction* a : group_->actions())
        if (a->objectName() == identifier) return a;
    return nullptr;
}

void ToolBarPrefs::select(int view) {
    const QList<QAction*> all = group_->actions();
    if (view >= 1 && view <= all.size()) all.at(view - 1)->setChecked(true);
}
