#include "tools/DocumentToolbar.h"

#include <QMenu>
#include <QStyle>
#include <QWidgetAction>

#include "document/ToolbarLayout.h"
#include "localisation/UiText.h"
#include "logbook/LogbookIcons.h"
#include "tools/ToolbarCustomizeDialog.h"

using divelog::ToolbarLayout;

DocumentToolbar::DocumentToolbar(const ToolbarLayout& layout, divelog::SettingsStore& store,
                                 const UiText& text, QWidget* parent)
    : QToolBar(parent), layout_(layout), store_(store), text_(text) {
    setObjectName(QString::fromStdString(layout.identifier));
    setWindowTitle(text_.main("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    for (const divelog::ToolbarItem& info : layout.items) {
        const std::string item(info.identifier);
        QAction* a = nullptr;
        if (info.image.empty()) {
            auto* w = new QWidgetAction(this);
            widgetItems_[item] = w;
            a = w;
        } else {
            a = new QAction(LogbookIcons::icon(info.image), QString(), this);
            a->setToolTip(text_.text(info.tipTable, info.tipKey));
        }
        a->setObjectName(QString::fromStdString(item));
        a->setText(text_.text(info.labelTable, info.labelKey));
        actions_[item] = a;
    }
    customize_ = new QAction(text_.main("Customize toolbar...", "Customize toolbar..."), this);
    customize_->setObjectName(QStringLiteral("customize"));
    customize_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    connect(customize_, &QAction::triggered, this, &DocumentToolbar::customize);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(customize_->text(), this, &DocumentToolbar::customize);
        menu.exec(mapToGlobal(at));
    });

    order_ = layout_.configuration(store_);
    rebuild();
}

QAction* DocumentToolbar::action(const std::string& id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void DocumentToolbar::setHandler(const std::string& id, std::function<void()> handler) {
    if (QAction* a = action(id)) connect(a, &QAction::triggered, this, std::move(handler));
}

void DocumentToolbar::setItemWidget(const std::string& id, QWidget* widget) {
    auto it = widgetItems_.find(id);
    if (it == widgetItems_.end()) return;
    it->second->setDefaultWidget(widget);
    rebuild();  // the item is shown only once it holds its widget
}

void DocumentToolbar::updateEnabling(const std::function<bool(const std::string&)>& enabled) {
    for (auto& [id, a] : actions_) a->setEnabled(enabled(id));
}

void DocumentToolbar::setConfiguration(const std::vector<std::string>& order) {
    layout_.storeConfiguration(store_, order);
    order_ = layout_.configuration(store_);
    rebuild();
}

void DocumentToolbar::customize() {
    ToolbarCustomizeDialog dialog(layout_, order_, text_, this);
    if (dialog.exec() == QDialog::Accepted) setConfiguration(dialog.order());
}

void DocumentToolbar::rebuild() {
    clear();
    for (QAction* a : fillers_) delete a;
    fillers_.clear();
    for (const std::string& item : order_) {
        if (item == ToolbarLayout::kSeparator) {
            fillers_.push_back(addSeparator());
        } else if (item == ToolbarLayout::kSpace || item == ToolbarLayout::kFlexibleSpace) {
            auto* gap = new QWidget(this);
            if (item == ToolbarLayout::kSpace)
                gap->setFixedWidth(16);
            else
                gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            fillers_.push_back(addWidget(gap));
        } else if (item == ToolbarLayout::kCustomize) {
            addAction(customize_);
        } else if (QAction* a = action(item)) {
            auto w = widgetItems_.find(item);
            if (w != widgetItems_.end() && !w->second->defaultWidget()) continue;
            addAction(a);
        }
    }
    if (!buttonsTakeFocus_) return;
    for (QAction* a : actions())
        if (QWidget* button = widgetForAction(a);
            button && !widgetItems_.count(a->objectName().toStdString()))
            button->setFocusPolicy(Qt::TabFocus);
}

void DocumentToolbar::setButtonsTakeFocus(bool take) {
    buttonsTakeFocus_ = take;
    rebuild();
}
