#include "calculators/GpsController.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "calculators/DatumConversion.h"
#include "localisation/UiText.h"

namespace dt = divelog::datum;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QString traceHtml(const std::vector<dt::TraceLine>& lines) {
    QString html = QStringLiteral("<div style=\"white-space:pre\">");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const dt::TraceLine& l = lines[i];
        if (i > 0) html += QStringLiteral("<br>");
        if (l.gapBefore) html += QStringLiteral("<br>");
        const QString colour = l.heading ? QStringLiteral("#c00000") : QStringLiteral("#000000");
        html += QStringLiteral("<span style=\"color:%1\">%2</span>")
                    .arg(colour, q(l.label).toHtmlEscaped());
        if (!l.value.empty())
            html += QStringLiteral("<span style=\"color:#0000c0\">%1</span>")
                        .arg(q(l.value).toHtmlEscaped());
    }
    return html + QStringLiteral("</div>");
}

}  // namespace

GpsController::GpsController(divelog::AppContext& context, const UiText& text)
    : CalculatorWindow(context, text, QStringLiteral("Gps")) {
    QLineEdit* height = field("altitude_inField", false);
    form_->addRow(text.text("Gps", "Height"), height);
    connect(height, &QLineEdit::returnPressed, this, &GpsController::compute);
    box_->addWidget(buildSevenParameters());
    auto* row = new QHBoxLayout;
    row->addWidget(buildThreeParameters(), 1);
    row->addWidget(buildResult(), 1);
    box_->addLayout(row);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("resultatField"));
    message_->setWordWrap(true);
    setAlert(message_, true);
    box_->addWidget(message_);
    trace_ = new QTextEdit(this);
    trace_->setObjectName(QStringLiteral("gpsDataField"));
    trace_->setReadOnly(true);
    trace_->setMinimumHeight(150);
    box_->addWidget(new QLabel(text.text("Gps", "Trace"), this));
    box_->addWidget(trace_, 1);
    firstField_ = findChild<QLineEdit*>(QStringLiteral("longitude_in_degreeField"));
    setMinimumWidth(640);
}

QLineEdit* GpsController::field(const char* name, bool decimal) {
    QLineEdit* f = numberField(name, true);
    // Each group's fields run their own conversion on Return.
    disconnect(f, &QLineEdit::returnPressed, this, &CalculatorWindow::compute);
    if (decimal) connect(f, &QLineEdit::returnPressed, this, &GpsController::convertGPS2);
    return f;
}

QWidget* GpsController::buildSevenParameters() {
    auto* group = new QGroupBox(text_.text("Gps", "Seven parameters"), this);
    auto* outer = new QVBoxLayout(group);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    const char* heads[] = {"Degrees", "Minutes", "Seconds"};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(text_.text("Gps", heads[c]), group), 0, c + 1);
    const char* names[2][3] = {
        {"longitude_in_degreeField", "longitude_in_minutesField", "longitude_in_secondsField"},
        {"latitude_in_degreeField", "latitude_in_minutesField", "latitude_in_secondsField"}};
    const char* rows[] = {"Longitude", "Latitude"};
    for (int r = 0; r < 2; ++r) {
        grid->addWidget(new QLabel(text_.text("Gps", rows[r]), group), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            QLineEdit* f = field(names[r][c], false);
            f->setMinimumWidth(80);
            connect(f, &QLineEdit::returnPressed, this, &GpsController::convertGPS);
            grid->addWidget(f, r + 1, c + 1);
        }
    }
    auto* hint = new QLabel(text_.text("Gps", "Sign hint"), group);
    hint->setWordWrap(true);
    auto* convert = new QPushButton(text_.main("Compute"), group);
    convert->setObjectName(QStringLiteral("convertGPS"));
    connect(convert, &QPushButton::clicked, this, &GpsController::convertGPS);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(hint, 1);
    buttonRow->addWidget(convert, 0, Qt::AlignBottom);
    outer->addLayout(buttonRow);
    return group;
}

QWidget* GpsController::buildThreeParameters() {
    auto* group = new QGroupBox(text_.text("Gps", "Three parameters"), this);
    auto* form = new QFormLayout(group);
    direction_ = new QComboBox(group);
    direction_->setObjectName(QStringLiteral("geodesiePopUp"));
    direction_->addItem(text_.text("Gps", "ED50 to WGS84"), int(dt::Direction::Ed50ToWgs84));
    direction_->addItem(text_.text("Gps", "WGS84 to ED50"), int(dt::Direction::Wgs84ToEd50));
    form->addRow(QString(), direction_);
    form->addRow(text_.text("Gps", "Longitude"), field("longitude_inField", true));
    form->addRow(text_.text("Gps", "Latitude"), field("latitude_inField", true));
    auto* convert = new QPushButton(text_.main("Compute"), group);
    convert->setObjectName(QStringLiteral("convertGPS2"));
    connect(convert, &QPushButton::clicked, this, &GpsController::convertGPS2);
    form->addRow(QString(), convert);
    return group;
}

QWidget* GpsController::buildResult() {
    auto* group = new QGroupBox(text_.text("Gps", "Result"), this);
    auto* form = new QFormLayout(group);
    const char* names[] = {"longitude_outField", "latitude_outField", "altitude_outField"};
    const char* labels[] = {"Longitude", "Latitude", "Height out"};
    for (int i = 0; i < 3; ++i) {
        outputs_[i] = new QLineEdit(group);
        outputs_[i]->setObjectName(QString::fromLatin1(names[i]));
        outputs_[i]->setReadOnly(true);
        form->addRow(text_.text("Gps", labels[i]), outputs_[i]);
    }
    return group;
}

void GpsController::compute() { lastDecimal_ ? convertGPS2() : convertGPS(); }

void GpsController::convertGPS() {
    lastDecimal_ = false;
    auto in = [this](const char* name) { return value(findChild<QLineEdit*>(name)); };
    const dt::Dms lng{in("longitude_in_degreeField"), in("longitude_in_minutesField"),
                      in("longitude_in_secondsField")};
    const dt::Dms lat{in("latitude_in_degreeField"), in("latitude_in_minutesField"),
                      in("latitude_in_secondsField")};
    const dt::SevenParameters r = dt::ed50ToWgs84(lng, lat, in("altitude_inField"));
    trace_->setHtml(traceHtml(r.trace));
    if (!r.answer.ok()) return showRefusal(r.answer);
    const dt::OutputTexts t = dt::sevenParameterTexts(r.answer);
    outputs_[0]->setText(q(t.longitude));
    outputs_[1]->setText(q(t.latitude));
    outputs_[2]->setText(q(t.height));
    message_->clear();
}

void GpsController::convertGPS2() {
    lastDecimal_ = true;
    auto in = [this](const char* name) { return value(findChild<QLineEdit*>(name)); };
    const auto direction = dt::Direction(direction_->currentData().toInt());
    const divelog::Answer a = dt::threeParameters(direction, in("longitude_inField"),
                                                  in("latitude_inField"), in("altitude_inField"));
    if (!a.ok()) return showRefusal(a);
    const dt::OutputTexts t = dt::threeParameterTexts(a);
    outputs_[0]->setText(q(t.longitude));
    outputs_[1]->setText(q(t.latitude));
    outputs_[2]->setText(q(t.height));
    message_->clear();
}

void GpsController::showRefusal(const divelog::Answer& answer) {
    for (QLineEdit* o : outputs_) o->clear();
    message_->setText(q(textOf(answer, {"", ""}).text));
}
