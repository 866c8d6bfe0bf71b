#include "registers/RegisterEditWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "localisation/UiText.h"
#include "registers/RegisterFormBinder.h"
#include "registers/RegisterSession.h"
#include "registers/RegisterToolbars.h"
#include "settings/AppContext.h"
#include "tools/DocumentToolbar.h"
#include "tools/EditViewPage.h"
#include "tools/WindowFrame.h"

RegisterEditWindow::RegisterEditWindow(divelog::RegisterSession& session,
                                       divelog::AppContext& context, const UiText& text,
                                       QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      session_(session),
      text_(text),
      binder_(std::make_unique<RegisterFormBinder>(session, text, context.pickLists())) {
    const divelog::RegisterSpec& spec = session.spec();
    setObjectName(QStringLiteral("registerEditWindow"));
    toolbar_ =
        new DocumentToolbar(divelog::RegisterToolbars::edit(spec), context.settings(), text, this);
    addToolBar(toolbar_);

    auto* bar = new QWidget;
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 0, 0, 4);
    line->setSpacing(0);
    navigation_ = new QButtonGroup(this);
    views_ = new QStackedWidget;
    const auto titles = spec.viewTitles();
    for (int v = 1; v <= spec.viewCount(); ++v) {
        views_->addWidget(wrapView(binder_->buildView(v)));
        auto* b = new QToolButton(bar);
        const std::string_view key = static_cast<std::size_t>(v - 1) < titles.size()
                                         ? titles[static_cast<std::size_t>(v - 1)]
                                         : std::string_view();
        b->setText(text_.text(spec.table(), key, key));
        b->setCheckable(true);
        b->setMinimumHeight(26);
        navigation_->addButton(b, v);
        line->addWidget(b);
        // goPartView_N, also from the keyboard.
        auto* go = new QAction(this);
        go->setObjectName(QStringLiteral("goView_%1").arg(v));
        go->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + v)));
        connect(go, &QAction::triggered, this, [this, v] { goView(v); });
        addAction(go);
    }
    line->addStretch();
    connect(navigation_, &QButtonGroup::idClicked, this, &RegisterEditWindow::goView);

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(10, 6, 10, 10);
    column->addWidget(bar);
    column->addWidget(views_, 1);
    setCentralWidget(central);

    auto edited = [this] {
        showForm();
        emit formEdited();
    };
    connect(binder_.get(), &RegisterFormBinder::committed, this, edited);
    // The dependent controls follow a change at once; the control being
    // edited is left alone.
    connect(binder_.get(), &RegisterFormBinder::valueChanged, this, [this] {
        binder_->applyState(session_.formState());
        emit formEdited();
    });

    // Fields first, then the toolbar's commands, in the Tab order.
    toolbar_->setButtonsTakeFocus(true);
    showForm();
    goView(1);
    // Read-outs hold their texts now, so the views ask for the room they need.
    QSize largest;
    for (QWidget* content : contents_) largest = largest.expandedTo(content->sizeHint());
    // Large enough for the largest view where the screen allows.
    const QSize chrome = sizeHint() - views_->currentWidget()->sizeHint();
    QSize wanted = (largest + chrome + QSize(24, 24)).expandedTo(sizeHint());
    wanted.setWidth(std::max(wanted.width(), 600));
    if (const QScreen* s = screen())
        wanted = wanted.boundedTo(s->availableGeometry().size() * 0.95);
    resize(wanted);
}

RegisterEditWindow::~RegisterEditWindow() = default;

QWidget* RegisterEditWindow::control(const std::string& field) const {
    return binder_->widget(field);
}

QWidget* RegisterEditWindow::wrapView(QWidget* view) {
    EditViewPage v = EditViewPage::make(this, view, text_.main("Previous card", "Previous"),
                                        text_.main("Next card", "Next"),
                                        text_.main("Close edit window", "Close"));
    v.previous->setObjectName(QStringLiteral("prevPart"));
    v.next->setObjectName(QStringLiteral("nextPart"));
    connect(v.previous, &QPushButton::clicked, this, &RegisterEditWindow::previousRequested);
    connect(v.next, &QPushButton::clicked, this, &RegisterEditWindow::nextRequested);
    contents_ << view;
    counts_ << v.count;
    previous_ << v.previous;
    next_ << v.next;
    return v.page;
}

int RegisterEditWindow::currentView() const { return views_->currentIndex() + 1; }

void RegisterEditWindow::goView(int view) {
    if (view < 1 || view > views_->count()) return;
    views_->setCurrentIndex(view - 1);
    navigation_->button(view)->setChecked(true);
    showForm();
}

void RegisterEditWindow::showForm() {
    binder_->fill();
    binder_->applyState(session_.formState());
    const QString count = QString::fromStdString(session_.countText()).trimmed();
    for (QLabel* l : counts_) l->setText(count);
    for (QPushButton* b : previous_) b->setEnabled(session_.canGoPrevious());
    for (QPushButton* b : next_) b->setEnabled(session_.canGoNext());
    toolbar_->updateEnabling([this](const std::string& id) { return session_.isItemEnabled(id); });
}

void RegisterEditWindow::focusFirstField() {
    goView(1);
    const auto controls = session_.spec().controls();
    if (controls.empty()) return;
    QWidget* first = control(std::string(controls.front().field));
    if (!first) return;
    first->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(first))
        line->selectAll();
    else if (auto* box = qobject_cast<QComboBox*>(first); box && box->lineEdit())
        box->lineEdit()->selectAll();
}

void RegisterEditWindow::present(QWidget* owner) {
    if (!placed_ && owner) {
        placed_ = true;
        windowframe::placeBeside(this, owner);
    }
    show();
    raise();
    activateWindow();
}

void RegisterEditWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
