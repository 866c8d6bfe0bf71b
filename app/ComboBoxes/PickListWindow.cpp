#include "ComboBoxes/PickListWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "ComboBoxes/PickListPane.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "tools/WindowFrame.h"

PickListWindow::PickListWindow(divelog::AppContext& context, const UiText& text,
                               UserPrompts& prompts, const QString& layout)
    : QWidget(nullptr, Qt::Window), context_(context), text_(text), prompts_(prompts) {
    setObjectName(layout);
    setWindowTitle(text.main(layout.toStdString()));
}

PickListWindow::~PickListWindow() {
    if (placed_ && isVisible()) windowframe::remember(this, context_.settings(), layoutName());
}

PickListPane* PickListWindow::makePane(const std::string& listKey) {
    auto* pane = new PickListPane(context_.pickLists(), listKey, text_, prompts_, this);
    panes_.append(pane);
    return pane;
}

PickListPane* PickListWindow::pane(const std::string& listKey) const {
    for (PickListPane* p : panes_)
        if (p->listKey() == listKey) return p;
    return nullptr;
}

void PickListWindow::present() {
    for (PickListPane* p : panes_) p->redisplay(false);
    if (!placed_) {
        placed_ = true;
        if (!windowframe::restore(this, context_.settings(), layoutName(), true))
            if (QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    if (!panes_.isEmpty()) panes_.first()->entryField()->setFocus();
}

void PickListWindow::changeEvent(QEvent* event) {
    // A form may have added to the list while another window was in front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        for (PickListPane* p : panes_) p->redisplay(false);
    QWidget::changeEvent(event);
}

void PickListWindow::hideEvent(QHideEvent* event) {
    windowframe::remember(this, context_.settings(), layoutName());
    QWidget::hideEvent(event);
}

PickListEditor::PickListEditor(divelog::AppContext& context, const UiText& text,
                               UserPrompts& prompts, const QString& layout,
                               const std::string& listKey)
    : PickListWindow(context, text, prompts, layout) {
    auto* layoutBox = new QVBoxLayout(this);
    layoutBox->setContentsMargins(12, 12, 12, 12);
    PickListPane* p = makePane(listKey);
    layoutBox->addWidget(p);
    resize(320, 420);
}
