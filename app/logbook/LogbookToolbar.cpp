#include "logbook/LogbookToolbar.h"

#include <QMenu>
#include <QStyle>
#include <QWidgetAction>

#include "localisation/UiText.h"
#include "logbook/LogbookIcons.h"
#include "logbook/ToolbarCarnet.h"
#include "logbook/ToolbarCustomizeDialog.h"

using divelog::ToolbarCarnet;

LogbookToolbar::LogbookToolbar(const QString& identifier, divelog::SettingsStore& store,
                               const UiText& text, QWidget* parent)
    : QToolBar(parent), store_(store), text_(text) {
    setObjectName(identifier);
    setWindowTitle(text_.main("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    const std::string id = identifier.toStdString();
    for (const std::string& item : ToolbarCarnet::allowedItems(id)) {
        const divelog::ToolbarItem* info = ToolbarCarnet::item(item);
        if (!info) continue;
        QAction* a = nullptr;
        if (item == "rechercher") {
            search_ = new QWidgetAction(this);
            a = search_;
        } else {
            a = new QAction(LogbookIcons::icon(info->image), QString(), this);
            a->setToolTip(text_.text(info->tipTable, info->tipKey));
        }
        a->setObjectName(QString::fromStdString(item));
        a->setText(text_.text(info->labelTable, info->labelKey));
        actions_[item] = a;
    }
    customize_ = new QAction(text_.main("Customize toolbar...", "Customize toolbar..."), this);
    customize_->setObjectName(QStringLiteral("customize"));
    customize_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(customize_, &QAction::triggered, this, &LogbookToolbar::customize);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(customize_->text(), this, &LogbookToolbar::customize);
        menu.exec(mapToGlobal(at));
    });

    order_ = ToolbarCarnet::configuration(store_, id);
    rebuild();
}

QAction* LogbookToolbar::action(const std::string& id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void LogbookToolbar::setHandler(const std::string& id, std::function<void()> handler) {
    if (QAction* a = action(id)) connect(a, &QAction::triggered, this, std::move(handler));
}

void LogbookToolbar::setSearchWidget(QWidget* widget) {
    if (!search_) return;
    search_->setDefaultWidget(widget);
    rebuild();  // the item is shown only once it holds its field
}

void LogbookToolbar::updateEnabling(std::size_t diveCount, bool formShowsDive) {
    for (auto& [id, a] : actions_)
        a->setEnabled(ToolbarCarnet::isEnabled(id, diveCount) && (id != "updateDive" || formShowsDive));
}

void LogbookToolbar::setConfiguration(const std::vector<std::string>& order) {
    const std::string id = identifier().toStdString();
    ToolbarCarnet::storeConfiguration(store_, id, order);
    order_ = ToolbarCarnet::configuration(store_, id);
    rebuild();
}

void LogbookToolbar::customize() {
    const std::string id = identifier().toStdString();
    ToolbarCustomizeDialog dialog(id, order_, text_, this);
    if (dialog.exec() == QDialog::Accepted) setConfiguration(dialog.order());
}

void LogbookToolbar::rebuild() {
    clear();
    for (QAction* a : fillers_) delete a;
    fillers_.clear();
    for (const std::string& item : order_) {
        if (item == ToolbarCarnet::kSeparator) {
            fillers_.push_back(addSeparator());
        } else if (item == ToolbarCarnet::kSpace || item == ToolbarCarnet::kFlexibleSpace) {
            auto* gap = new QWidget(this);
            if (item == ToolbarCarnet::kSpace)
                gap->setFixedWidth(16);
            else
                gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            fillers_.push_back(addWidget(gap));
        } else if (item == ToolbarCarnet::kCustomize) {
            addAction(customize_);
        } else if (QAction* a = action(item)) {
            if (a == search_ && !search_->defaultWidget()) continue;
            addAction(a);
        }
    }
}
