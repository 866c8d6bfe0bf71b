#include "logbook/DiveSearchField.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "localisation/UiText.h"
#include "logbook/CarnetSession.h"
#include "settings/SettingsStore.h"

using divelog::CarnetSession;

DiveSearchField::DiveSearchField(const UiText& text, divelog::SettingsStore& store, QWidget* parent)
    : QWidget(parent), text_(text), store_(store) {
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("searchField"));
    edit_->setClearButtonEnabled(true);
    edit_->setMinimumWidth(200);

    const auto& scopes = CarnetSession::searchScopes();
    const std::string last = store_.stringForKey(kScopeKey);
    std::size_t chosen = 0;
    auto* menu = new QMenu(this);
    auto* group = new QActionGroup(this);
    for (std::size_t i = 0; i < scopes.size(); ++i) {
        const auto& scope = scopes[i];
        QAction* a = menu->addAction(text_.carnet(scope.titleKey, scope.titleKey));
        a->setObjectName(QString::fromLatin1(scope.command.data(), scope.command.size()));
        a->setCheckable(true);
        group->addAction(a);
        if (scope.command == last) chosen = i;
        connect(a, &QAction::triggered, this, [this, i] {
            chooseScope(i);
            store_.setString(kScopeKey, std::string(CarnetSession::searchScopes()[i].command));
            emit searchRequested(field_, edit_->text());
        });
    }
    menuButton_ = new QToolButton(this);
    menuButton_->setObjectName(QStringLiteral("findMenu"));
    menuButton_->setText(text_.carnet("Find"));
    menuButton_->setMenu(menu);
    menuButton_->setPopupMode(QToolButton::InstantPopup);
    menuButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    group->actions().at(static_cast<int>(chosen))->setChecked(true);
    chooseScope(chosen);
    connect(edit_, &QLineEdit::returnPressed, this,
            [this] { emit searchRequested(field_, edit_->text()); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(menuButton_);
    row->addWidget(edit_);
}

void DiveSearchField::chooseScope(std::size_t index) {
    const auto& scope = CarnetSession::searchScopes()[index];
    field_ = scope.field;
    edit_->setPlaceholderText(text_.carnet(scope.titleKey, scope.titleKey));
}
