#include "tools/EditViewPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

EditViewPage EditViewPage::make(QWidget* window, QWidget* view, const QString& previousText,
                                const QString& nextText, const QString& closeText) {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(page);
    scroll->setWidget(view);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    column->addWidget(scroll, 1);

    auto* previous = new QPushButton(previousText, page);
    auto* next = new QPushButton(nextText, page);
    previous->setIcon(window->style()->standardIcon(QStyle::SP_ArrowBack));
    next->setIcon(window->style()->standardIcon(QStyle::SP_ArrowForward));
    auto* done = new QPushButton(closeText, page);
    done->setObjectName(QStringLiteral("closeEditWindow"));
    QObject::connect(done, &QPushButton::clicked, window, &QWidget::close);
    auto* count = new QLabel(page);

    auto* footer = new QHBoxLayout;
    footer->addWidget(previous);
    footer->addWidget(next);
    footer->addStretch();
    footer->addWidget(count);
    footer->addStretch();
    footer->addWidget(done);
    column->addLayout(footer);
    return {page, previous, next, count};
}
