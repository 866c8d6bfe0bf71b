#include "tools/ToolbarCustomizeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "document/ToolbarLayout.h"
#include "localisation/UiText.h"
#include "logbook/LogbookIcons.h"

using divelog::ToolbarLayout;

ToolbarCustomizeDialog::ToolbarCustomizeDialog(const ToolbarLayout& toolbar,
                                               const std::vector<std::string>& order,
                                               const UiText& text, QWidget* parent)
    : QDialog(parent), toolbar_(toolbar), text_(text) {
    setWindowTitle(text_.main("Customize toolbar...", "Customize toolbar..."));
    available_ = new QListWidget(this);
    chosen_ = new QListWidget(this);
    chosen_->setObjectName(QStringLiteral("toolbarItems"));
    for (QListWidget* list : {available_, chosen_}) list->setIconSize(QSize(24, 24));
    for (const auto& id : order) chosen_->addItem(makeItem(id));
    refreshAvailable();

    auto button = [this](const char* key, const char* fallback) {
        return new QPushButton(text_.main(key, fallback), this);
    };
    QPushButton* add = button("Add item", "Add →");
    QPushButton* remove = button("Remove item", "← Remove");
    QPushButton* up = button("Move up", "Move up");
    QPushButton* down = button("Move down", "Move down");
    QPushButton* defaults = button("Default set", "Default set");
    connect(add, &QPushButton::clicked, this, [this] {
        if (auto* item = available_->currentItem())
            addItem(item->data(Qt::UserRole).toString().toStdString());
    });
    connect(available_, &QListWidget::itemDoubleClicked, add, &QPushButton::click);
    connect(remove, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeCurrent);
    connect(up, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(defaults, &QPushButton::clicked, this, &ToolbarCustomizeDialog::restoreDefaults);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {add, remove, up, down, defaults}) middle->addWidget(b);
    middle->addStretch();

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(text_.main("Available items", "Available items"), this), 0, 0);
    grid->addWidget(new QLabel(text_.main("Toolbar items", "Toolbar items"), this), 0, 2);
    grid->addWidget(available_, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(chosen_, 1, 2);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(text_.main("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(text_.main("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    resize(560, 480);
}

QString ToolbarCustomizeDialog::title(const std::string& id) const {
    if (const divelog::ToolbarItem* info = toolbar_.item(id))
        return text_.text(info->labelTable, info->labelKey);
    if (id == ToolbarLayout::kSeparator) return text_.main("Separator", "Separator");
    if (id == ToolbarLayout::kSpace) return text_.main("Space", "Space");
    if (id == ToolbarLayout::kFlexibleSpace) return text_.main("Flexible space", "Flexible space");
    return text_.main("Customize toolbar...", "Customize toolbar...");
}

QListWidgetItem* ToolbarCustomizeDialog::makeItem(const std::string& id) const {
    auto* item = new QListWidgetItem(title(id));
    item->setData(Qt::UserRole, QString::fromStdString(id));
    const divelog::ToolbarItem* info = toolbar_.item(id);
    QIcon icon = info ? LogbookIcons::icon(info->image) : QIcon();
    if (icon.isNull()) {
        // A blank picture keeps the rows of pictureless items as high as the others.
        QPixmap blank(24, 24);
        blank.fill(Qt::transparent);
        icon = QIcon(blank);
    }
    item->setIcon(icon);
    return item;
}

std::vector<std::string> ToolbarCustomizeDialog::order() const {
    std::vector<std::string> out;
    for (int i = 0; i < chosen_->count(); ++i)
        out.push_back(chosen_->item(i)->data(Qt::UserRole).toString().toStdString());
    return out;
}

void ToolbarCustomizeDialog::refreshAvailable() {
    // A command item already on the toolbar is not offered twice.
    const std::vector<std::string> used = order();
    available_->clear();
    for (const std::string& id : toolbar_.allowed) {
        const bool placed = std::find(used.begin(), used.end(), id) != used.end();
        if (placed && !ToolbarLayout::isStandard(id)) continue;
        available_->addItem(makeItem(id));
    }
}

void ToolbarCustomizeDialog::addItem(const std::string& id) {
    const int at = chosen_->currentRow() < 0 ? chosen_->count() : chosen_->currentRow() + 1;
    chosen_->insertItem(at, makeItem(id));
    chosen_->setCurrentRow(at);
    refreshAvailable();
}

void ToolbarCustomizeDialog::removeCurrent() {
    delete chosen_->takeItem(chosen_->currentRow());
    refreshAvailable();
}

void ToolbarCustomizeDialog::moveCurrent(int by) {
    const int row = chosen_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= chosen_->count()) return;
    chosen_->insertItem(to, chosen_->takeItem(row));
    chosen_->setCurrentRow(to);
}

void ToolbarCustomizeDialog::restoreDefaults() {
    chosen_->clear();
    for (const auto& id : toolbar_.defaults) chosen_->addItem(makeItem(id));
    refreshAvailable();
}
