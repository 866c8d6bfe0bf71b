#include "profile/ProfileDataWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "localisation/UiText.h"

using divelog::SeriesId;

namespace {

const char* titleKey(SeriesId id) {
    switch (id) {
        case SeriesId::Depth: return "Series depth";
        case SeriesId::Ascent: return "Series ascent";
        case SeriesId::Slow: return "Series slow";
        case SeriesId::Surface: return "Series surface";
        case SeriesId::Ceiling: return "Series ceiling";
        case SeriesId::Gas: return "Series gas";
        case SeriesId::Pressure: return "Series pressure";
    }
    return "";
}

}  // namespace

ProfileDataWindow::ProfileDataWindow(const UiText& text, QWidget* parent)
    : QWidget(parent, Qt::Window), text_(text) {
    setObjectName(QStringLiteral("profileDataWindow"));
    auto* grid = new QGridLayout(this);
    int column = 0;
    for (const divelog::SeriesInfo& s : divelog::ProfileSeries::series()) {
        auto* title = new QLabel(text_.carnet(titleKey(s.id), titleKey(s.id)), this);
        title->setWordWrap(true);
        Row row{new QPlainTextEdit(this), new QLabel(this),
                new QCheckBox(text_.carnet("Replace"), this)};
        row.area->setObjectName(
            QString::fromUtf8(s.field.data(), static_cast<int>(s.field.size())));
        row.area->setMinimumWidth(90);
        row.area->setLineWrapMode(QPlainTextEdit::NoWrap);
        grid->addWidget(title, 0, column);
        grid->addWidget(row.area, 1, column);
        grid->addWidget(row.count, 2, column);
        grid->addWidget(row.replace, 3, column);
        connect(row.area, &QPlainTextEdit::textChanged, this, [this] {
            if (!filling_) edited_ = true;
        });
        connect(row.replace, &QCheckBox::toggled, this, [this] {
            if (!filling_) edited_ = true;
        });
        rows_.emplace(s.id, row);
        ++column;
    }
    grid->setRowStretch(1, 1);
    all_ = new QCheckBox(text_.carnet("All series"), this);
    all_->setObjectName(QStringLiteral("selectAllSwitches"));
    // Ticking it empties every area and ticks every box, for a whole new profile.
    connect(all_, &QCheckBox::clicked, this, [this](bool on) {
        if (!on) return;
        divelog::ProfileDataSheet cleared;
        cleared.selectAllSwitches();
        for (auto& [id, row] : rows_) {
            row.area->setPlainText(QString::fromStdString(cleared.text(id)));
            row.replace->setChecked(cleared.replaces(id));
        }
    });
    auto* apply = new QPushButton(text_.carnet("Apply profile"), this);
    apply->setObjectName(QStringLiteral("importProfil"));
    connect(apply, &QPushButton::clicked, this, &ProfileDataWindow::applyRequested);
    grid->addWidget(all_, 4, 0, 1, 4);
    grid->addWidget(apply, 4, column - 1);
    resize(900, 520);
}

void ProfileDataWindow::fill(const divelog::ProfileSeries& series, const QString& title) {
    filling_ = true;
    setWindowTitle(title);
    divelog::ProfileDataSheet sheet;
    sheet.fill(series);
    for (auto& [id, row] : rows_) {
        row.area->setPlainText(QString::fromStdString(sheet.text(id)));
        row.count->setText(QString::fromStdString(
            divelog::ProfileDataSheet::countText(series, id, text_.localisation())));
        row.replace->setChecked(false);
    }
    all_->setChecked(false);
    filling_ = false;
    edited_ = false;
}

divelog::ProfileDataSheet ProfileDataWindow::sheet() const {
    divelog::ProfileDataSheet sheet;
    for (const auto& [id, row] : rows_) {
        sheet.setText(id, row.area->toPlainText().toStdString());
        sheet.setReplaces(id, row.replace->isChecked());
    }
    return sheet;
}

void ProfileDataWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void ProfileDataWindow::present() {
    show();
    raise();
    activateWindow();
}
