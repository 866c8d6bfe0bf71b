#include "registers/RegisterFormBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>
#include <algorithm>

#include "localisation/UiText.h"
#include "registers/ClockDuration.h"
#include "registers/Materiel.h"
#include "registers/NoDateEdit.h"
#include "registers/RegisterSession.h"
#include "settings/PickLists.h"
#include "tools/NumberValidator.h"

using divelog::ControlKind;
using divelog::FormControl;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string s(std::string_view v) { return std::string(v); }

QDateTime toQt(divelog::Date d) {
    const divelog::DateParts p = divelog::localParts(d);
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

divelog::Date fromQt(const QDateTime& t) {
    return divelog::dateFromLocalParts({t.date().year(), t.date().month(), t.date().day(),
                                        t.time().hour(), t.time().minute(), t.time().second()});
}

QTime durationToQt(divelog::Date d) {
    const auto duration = divelog::ClockDuration::of(d);
    return QTime(duration.hours, duration.minutes);
}

divelog::Date durationFromQt(const QTime& t) {
    return divelog::ClockDuration{t.hour(), t.minute()}.date();
}

constexpr QSize kPhotoSize(280, 200);

}  // namespace

RegisterFormBinder::RegisterFormBinder(divelog::RegisterSession& session, const UiText& text,
                                       divelog::PickLists& pickLists, QObject* parent)
    : QObject(parent), session_(session), text_(text), pickLists_(pickLists) {}

QWidget* RegisterFormBinder::widget(const std::string& field) const {
    auto it = widgets_.find(field);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* RegisterFormBinder::buildView(int view) {
    const divelog::RegisterSpec& spec = session_.spec();
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto controls = spec.controls();
    QHBoxLayout* rowLine = nullptr;  // the row later controls may join
    bool rowStretches = false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const FormControl& c = controls[i];
        if (c.view != view) continue;
        QWidget* w = make(c);
        w->setObjectName(q(c.field));
        widgets_[s(c.field)] = w;
        const QString title =
            c.labelKey.empty() ? QString() : UiText::asTitle(text_.text(spec.table(), c.labelKey));
        // Text fields share a row's width; numbers keep their own.
        const bool stretches = c.kind == ControlKind::Text || c.kind == ControlKind::Combo;
        // Numbers sharing a row keep one width, so the rows line up.
        const bool sharesRow =
            (c.joinsRow && rowLine) ||
            (i + 1 < controls.size() && controls[i + 1].view == view && controls[i + 1].joinsRow);
        if (sharesRow && c.kind == ControlKind::Number)
            w->setSizePolicy(QSizePolicy::Fixed, w->sizePolicy().verticalPolicy());
        if (c.joinsRow && rowLine) {
            if (!title.isEmpty()) {
                auto* label = new QLabel(title, page);
                labels_[s(c.field)] = label;
                rowLine->addWidget(label);
            }
            rowLine->addWidget(w, stretches ? 1 : 0);
            rowStretches = rowStretches || stretches;
            if (!c.readout.empty()) addReadout(c, rowLine, page);
            const bool last = i + 1 >= controls.size() || !controls[i + 1].joinsRow;
            if (last && !rowStretches) rowLine->addStretch(1);
            continue;
        }
        rowLine = nullptr;
        auto* label = new QLabel(title, page);
        labels_[s(c.field)] = label;
        layoutOf_[s(c.field)] = form;
        QWidget* row = w;
        const bool joinedNext =
            i + 1 < controls.size() && controls[i + 1].view == view && controls[i + 1].joinsRow;
        const bool besideReadout =
            !c.readout.empty() && c.kind != ControlKind::Slider && c.readout != "gauge";
        const bool withNow = c.kind == ControlKind::DateNow;
        if (joinedNext || besideReadout || withNow) {
            // Controls joining this row, a figure the register works out from
            // the form, or a date's Now button: shown, and hidden, with the control.
            row = new QWidget(page);
            auto* line = new QHBoxLayout(row);
            line->setContentsMargins(0, 0, 0, 0);
            line->addWidget(w, joinedNext && !stretches ? 0 : 1);
            if (withNow) {
                auto* now = new QPushButton(text_.main("Now", "Now"), row);
                now->setObjectName(q(std::string(c.field) + "Now"));
                const std::string field = s(c.field);
                connect(now, &QPushButton::clicked, this, [this, field] {
                    session_.form().setDate(field, divelog::dateNow(), divelog::dateNow());
                    emit committed(q(field));
                });
                line->addWidget(now);
            }
            if (besideReadout) addReadout(c, line, page);
            rowOf_[s(c.field)] = row;
            rowLine = joinedNext ? line : nullptr;
            rowStretches = stretches;
        }
        form->addRow(label, row);
        if (c.readout == "gauge") {
            // The share of the time to the next inspection, and whether it is past.
            auto* row = new QWidget(page);
            auto* line = new QHBoxLayout(row);
            line->setContentsMargins(0, 0, 0, 0);
            gauge_ = new QProgressBar(row);
            gauge_->setObjectName(QStringLiteral("gauge"));
            gauge_->setRange(0, 100);
            gauge_->setTextVisible(false);
            auto* percent = new QLabel(row);
            percent->setObjectName(QStringLiteral("gaugeText"));
            percent->setMinimumWidth(48);
            auto* status = new QLabel(row);
            status->setObjectName(QStringLiteral("gaugeStatus"));
            readouts_["gauge"] = percent;
            readouts_["status"] = status;
            line->addWidget(gauge_, 1);
            line->addWidget(percent);
            line->addWidget(status);
            form->addRow(QString(), row);
        }
    }
    ++filling_;
    for (const FormControl& c : spec.controls())
        if (c.view == view) fillOne(c, widgets_[s(c.field)]);
    --filling_;
    return page;
}

QWidget* RegisterFormBinder::make(const FormControl& c) {
    const std::string field = s(c.field);
    divelog::RegisterForm& form = session_.form();
    switch (c.kind) {
        case ControlKind::Text:
        case ControlKind::Number: {
            auto* edit = new QLineEdit;
            if (c.kind == ControlKind::Number) {
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                edit->setMaximumWidth(110);
                edit->setValidator(new NumberValidator(session_.spec().numberTyping(c), edit));
            }
            connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& t) {
                session_.form().setText(field, t.toStdString(), divelog::dateNow());
            });
            connect(edit, &QLineEdit::editingFinished, this,
                    [this, field] { emit committed(q(field)); });
            return edit;
        }
        case ControlKind::Combo: {
            auto* box = new QComboBox;
            box->setEditable(true);
            // The list changes only through the question asked at the end of editing.
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            box->setMinimumContentsLength(14);
            auto* completer = new QCompleter(box->model(), box);
            completer->setCaseSensitivity(Qt::CaseInsensitive);
            completer->setFilterMode(Qt::MatchContains);
            box->setCompleter(completer);
            connect(box, &QComboBox::editTextChanged, this, [this, field](const QString& t) {
                if (!filling_) session_.form().setText(field, t.toStdString(), divelog::dateNow());
            });
            connect(box, &QComboBox::activated, this, [this, field] { emit committed(q(field)); });
            connect(box->lineEdit(), &QLineEdit::editingFinished, this, [this, field] {
                if (filling_) return;
                emit committed(q(field));
                emit comboEditFinished(q(field));
            });
            return box;
        }
        case ControlKind::Notes: {
            auto* area = new QPlainTextEdit;
            area->setTabChangesFocus(true);
            area->setMinimumHeight(120);
            connect(area, &QPlainTextEdit::textChanged, this, [this, field, area] {
                if (!filling_)
                    session_.form().setText(field, area->toPlainText().toStdString(),
                                            divelog::dateNow());
            });
            return area;
        }
        case ControlKind::Popup: {
            auto* box = new QComboBox;
            const auto& labels = c.codes->labels;
            const bool hasZero = std::any_of(labels.begin(), labels.end(),
                                             [](const auto& l) { return l.code == 0; });
            if (!hasZero) box->addItem(text_.main("N/A", "N/A"), 0);
            for (const divelog::CodeLabel& l : labels)
                box->addItem(q(divelog::RegisterSpec::labelText(l, text_.localisation())), l.code);
            connect(box, &QComboBox::currentIndexChanged, this, [this, field, box](int index) {
                if (filling_ || index < 0) return;
                session_.form().setInteger(field, box->itemData(index).toInt(), divelog::dateNow());
                emit committed(q(field));
            });
            return box;
        }
        case ControlKind::Switch: {
            auto* box = new QCheckBox;
            connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
                if (filling_) return;
                session_.form().setInteger(field, on ? 1 : 0, divelog::dateNow());
                emit committed(q(field));
            });
            return box;
        }
        case ControlKind::Slider: return makeSlider(c);
        case ControlKind::Date:
        case ControlKind::DateNow: {
            auto* edit = new NoDateEdit;
            connect(edit, &QDateTimeEdit::dateTimeChanged, this, [this, field](const QDateTime& t) {
                if (filling_) return;
                session_.form().setDate(field, fromQt(t), divelog::dateNow());
                // What depends on the date (the inspection gauge) follows at once.
                emit valueChanged(q(field));
            });
            connect(edit, &QDateTimeEdit::editingFinished, this,
                    [this, field] { emit committed(q(field)); });
            return edit;
        }
        case ControlKind::Duration: {
            auto* edit = new QTimeEdit;
            edit->setDisplayFormat(QStringLiteral("HH:mm"));
            connect(edit, &QTimeEdit::timeChanged, this, [this, field](const QTime& t) {
                if (!filling_)
                    session_.form().setDate(field, durationFromQt(t), divelog::dateNow());
            });
            connect(edit, &QTimeEdit::editingFinished, this,
                    [this, field] { emit committed(q(field)); });
            return edit;
        }
        case ControlKind::Image: return makeImage(c);
    }
    (void)form;
    return new QWidget;
}

QWidget* RegisterFormBinder::makeSlider(const FormControl& c) {
    const std::string field = s(c.field);
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal, holder);
    slider->setObjectName(q(field + "Slider"));
    slider->setRange(0, c.maximum);
    slider->setPageStep(c.maximum > 10 ? 10 : 1);
    if (c.maximum <= 10) {
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
    }
    line->addWidget(slider, 1);
    QSpinBox* number = nullptr;
    if (!c.readout.empty()) {
        auto* readout = new QLabel(holder);
        readout->setMinimumWidth(24);
        readouts_[s(c.readout)] = readout;
        line->addWidget(readout);
    } else {
        number = new QSpinBox(holder);
        number->setRange(0, c.maximum);
        companions_[field] = number;
        line->addWidget(number);
    }
    auto set = [this, field](int v, bool done) {
        if (filling_) return;
        session_.form().setInteger(field, v, divelog::dateNow());
        if (done) emit committed(q(field));
    };
    // A drag writes once, when the slider is let go.
    connect(slider, &QSlider::valueChanged, this, [set, slider, number](int v) {
        if (number && number->value() != v) {
            const QSignalBlocker quiet(number);
            number->setValue(v);
        }
        set(v, !slider->isSliderDown());
    });
    connect(slider, &QSlider::sliderReleased, this, [set, slider] { set(slider->value(), true); });
    if (number)
        connect(number, &QSpinBox::editingFinished, this,
                [slider, number] { slider->setValue(number->value()); });
    return holder;
}

QWidget* RegisterFormBinder::makeImage(const FormControl& c) {
    const std::string field = s(c.field);
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    auto* picture = new QLabel(holder);
    picture->setObjectName(q(field + "Picture"));
    picture->setFixedSize(kPhotoSize);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    companions_[field] = picture;
    auto* buttons = new QHBoxLayout;
    auto* choose = new QPushButton(text_.main("Choose picture", "Choose…"), holder);
    auto* remove = new QPushButton(text_.main("Remove picture", "Remove"), holder);
    buttons->addWidget(choose);
    buttons->addWidget(remove);
    buttons->addStretch();
    column->addWidget(picture);
    column->addLayout(buttons);
    connect(choose, &QPushButton::clicked, this, [this, field] {
        if (!chooseImage_) return;
        std::optional<divelog::Image> image = chooseImage_();
        if (!image) return;
        session_.form().setImage(field, std::move(image), divelog::dateNow());
        showImage(field);
        emit committed(q(field));
    });
    connect(remove, &QPushButton::clicked, this, [this, field] {
        session_.form().setImage(field, std::nullopt, divelog::dateNow());
        showImage(field);
        emit committed(q(field));
    });
    return holder;
}

void RegisterFormBinder::showImage(const std::string& field) {
    auto* picture = qobject_cast<QLabel*>(companions_[field]);
    if (!picture) return;
    const std::optional<divelog::Image> image = session_.form().image(field);
    QPixmap pixmap;
    if (image) pixmap.loadFromData(image->bytes.data(), static_cast<uint>(image->bytes.size()));
    if (pixmap.isNull()) {
        picture->setPixmap(QPixmap());
        picture->setText(image ? text_.main("Unreadable picture", "Picture not shown")
                               : text_.main("No photo", "No photo"));
    } else {
        picture->setText(QString());
        picture->setPixmap(
            pixmap.scaled(kPhotoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
}

void RegisterFormBinder::addReadout(const FormControl& c, QHBoxLayout* line, QWidget* page) {
    auto* readout = new QLabel(page);
    readout->setObjectName(q(std::string(c.readout)));
    // Room for the longest figure it may show, so the view never outgrows
    // the window when one appears.
    const std::string widest = session_.spec().readoutSample(c.readout, text_.localisation());
    if (!widest.empty())
        readout->setMinimumWidth(readout->fontMetrics().horizontalAdvance(q(widest)) + 4);
    readouts_[s(c.readout)] = readout;
    line->addWidget(readout);
}

void RegisterFormBinder::fill() {
    ++filling_;
    for (const FormControl& c : session_.spec().controls()) {
        auto it = widgets_.find(s(c.field));
        if (it != widgets_.end()) fillOne(c, it->second);
    }
    --filling_;
    reloadPickLists();
}

void RegisterFormBinder::fillOne(const FormControl& c, QWidget* w) {
    const divelog::RegisterForm& form = session_.form();
    const std::string field = s(c.field);
    switch (c.kind) {
        case ControlKind::Text:
        case ControlKind::Number: {
            auto* edit = static_cast<QLineEdit*>(w);
            const QString t = q(form.text(field));
            if (edit->text() != t) edit->setText(t);
            break;
        }
        case ControlKind::Combo: {
            auto* box = static_cast<QComboBox*>(w);
            const QString t = q(form.text(field));
            if (box->currentText() != t) box->setEditText(t);
            break;
        }
        case ControlKind::Notes: {
            auto* area = static_cast<QPlainTextEdit*>(w);
            const QString t = q(form.text(field));
            if (area->toPlainText() != t) area->setPlainText(t);
            break;
        }
        case ControlKind::Popup: {
            auto* box = static_cast<QComboBox*>(w);
            box->setCurrentIndex(
                box->findData(form.integer(field)));  // an unknown code shows nothing
            break;
        }
        case ControlKind::Switch:
            static_cast<QCheckBox*>(w)->setChecked(form.integer(field) == 1);
            break;
        case ControlKind::Slider: {
            auto* slider = w->findChild<QSlider*>();
            slider->setValue(form.integer(field));
            if (auto* number = qobject_cast<QSpinBox*>(companions_[field]))
                number->setValue(form.integer(field));
            break;
        }
        case ControlKind::Date:
        case ControlKind::DateNow: {
            auto* edit = static_cast<NoDateEdit*>(w);
            const auto date = form.date(field);
            // "No date", saved in this zone or another, shows "—".
            edit->setDateTime(divelog::Materiel::isNoDate(date) ? NoDateEdit::noDate()
                                                                : toQt(*date));
            break;
        }
        case ControlKind::Duration: {
            const auto date = form.date(field);
            static_cast<QTimeEdit*>(w)->setTime(date ? durationToQt(*date) : QTime(0, 0));
            break;
        }
        case ControlKind::Image: showImage(field); break;
    }
}

void RegisterFormBinder::applyState(const divelog::FormState& state) {
    for (auto& [field, w] : widgets_) {
        const bool hidden = state.hidden.count(field) > 0;
        auto row = rowOf_.find(field);
        if (QFormLayout* form = layoutOf_[field]) {
            form->setRowVisible(row == rowOf_.end() ? w : row->second, !hidden);
        } else {  // on another control's row
            w->setVisible(!hidden);
            if (QLabel* label = labels_[field]) label->setVisible(!hidden);
        }
        w->setEnabled(state.disabled.count(field) == 0);
    }
    for (auto& [key, label] : readouts_) {
        auto it = state.readouts.find(key);
        if (it == state.readouts.end()) {
            label->clear();
            continue;
        }
        label->setText(q(it->second.text));
        QPalette look = label->palette();
        const QColor colour =
            it->second.colour ? QColor::fromRgbF(it->second.colour->red, it->second.colour->green,
                                                 it->second.colour->blue)
                              : label->parentWidget()->palette().color(QPalette::WindowText);
        look.setColor(QPalette::WindowText, colour);
        label->setPalette(look);
    }
    if (gauge_)
        gauge_->setValue(static_cast<int>(std::clamp(state.gauge.value_or(0.0), 0.0, 100.0)));
}

void RegisterFormBinder::reloadPickLists() {
    for (const FormControl& c : session_.spec().controls()) {
        if (c.kind != ControlKind::Combo || c.pickList.empty()) continue;
        auto* box = qobject_cast<QComboBox*>(widget(s(c.field)));
        if (!box) continue;
        QStringList items;
        for (const auto& i : pickLists_.list(s(c.pickList))) items << q(i);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        if (shown == items) continue;
        const QString typed = box->currentText();
        ++filling_;
        box->clear();
        box->addItems(items);
        box->setEditText(typed);
        --filling_;
    }
}
