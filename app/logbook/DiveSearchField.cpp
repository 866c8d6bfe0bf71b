#include "logbook/DiveSearchField.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "localisation/UiText.h"

const std::vector<DiveSearchField::Scope>& DiveSearchField::scopes() {
    static const std::vector<Scope> s = {
        {"findInBateaux", "bateau", "Find in boats"},
        {"findInEpaves", "epaves", "Find in wrecks"},
        {"findInNotes", "notes", "Find in notes"},
        {"findInOrdinateurs", "ordinateur", "Find in computers"},
        {"findInPartenaires", "partenaires", "Find in buddies"},
    };
    return s;
}

DiveSearchField::DiveSearchField(const UiText& text, QWidget* parent)
    : QWidget(parent), text_(text) {
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("searchField"));
    edit_->setClearButtonEnabled(true);
    edit_->setMinimumWidth(200);

    auto* menu = new QMenu(this);
    auto* group = new QActionGroup(this);
    for (const Scope& scope : scopes()) {
        const QString title = text_.carnet(scope.titleKey, scope.titleKey);
        QAction* a = menu->addAction(title);
        a->setObjectName(QString::fromLatin1(scope.command));
        a->setCheckable(true);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, &scope, title] {
            chooseScope(scope, title);
            emit searchRequested(field_, edit_->text());
        });
    }
    menuButton_ = new QToolButton(this);
    menuButton_->setObjectName(QStringLiteral("findMenu"));
    menuButton_->setText(text_.carnet("Find"));
    menuButton_->setMenu(menu);
    menuButton_->setPopupMode(QToolButton::InstantPopup);
    menuButton_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    group->actions().first()->setChecked(true);
    chooseScope(scopes().front(), group->actions().first()->text());
    connect(edit_, &QLineEdit::returnPressed, this,
            [this] { emit searchRequested(field_, edit_->text()); });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    row->addWidget(menuButton_);
    row->addWidget(edit_);
}

void DiveSearchField::chooseScope(const Scope& scope, const QString& title) {
    field_ = QString::fromLatin1(scope.field);
    edit_->setPlaceholderText(title);
}
