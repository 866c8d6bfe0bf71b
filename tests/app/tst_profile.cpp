// The profile windows of a logbook: the chart drawn where the core says, the
// read-out, printing, the profile-data window and the consumption sheet.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "AppTestHarness.h"
#include "logbook/CarnetSession.h"
#include "logbook/CarnetWindow.h"
#include "logbook/DiveEditWindow.h"
#include "logbook/DiveFormBinder.h"
#include "profile/Profil.h"
#include "profile/ProfilWindow.h"
#include "profile/ProfileDataWindow.h"
#include "profile/TissueChart.h"

using divelog::Plongee;
using divelog::SeriesId;

namespace {

// A 60-minute dive at 10 s: down to 30 m, a slow ascent, stops at 6 and 3 m.
std::unique_ptr<Plongee> sixtyMinuteDive() {
    auto d = std::make_unique<Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{1}));
    std::vector<double> depth(360);
    for (std::size_t i = 0; i < depth.size(); ++i) {
        const double t = static_cast<double>(i) / 360.0;
        depth[i] = t < 0.1    ? 300 * t
                   : t < 0.6  ? 30 - 20 * (t - 0.1)
                   : t < 0.8  ? 6
                   : t < 0.95 ? 3
                              : 0;
    }
    d->setProfilProfondeur(depth);
    d->setProfondeur(30);
    d->setTemps(60);
    d->setPressionDepart(200);
    d->setPressionFin(60);
    d->setVolumeBloc(12);
    return d;
}

// 40 m for 30 min on air, then straight up at 10 m/min: a ceiling, and the
// surface reached above it.
std::unique_ptr<Plongee> decoDiveBroughtUp() {
    auto d = std::make_unique<Plongee>(divelog::makeNewDive(divelog::NewDiveDefaults{2}));
    std::vector<double> depth;
    for (int i = 0; i <= 24; ++i) depth.push_back(40.0 * i / 24);
    for (int i = 0; i < 180; ++i) depth.push_back(40);
    for (int i = 1; i <= 24; ++i) depth.push_back(40 - 40.0 * i / 24);
    d->setProfilProfondeur(depth);
    d->setProfondeur(40);
    d->setTemps(38);
    return d;
}

bool reddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110; }

}  // namespace

class ProfileWindows : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        app_ = std::make_unique<AppHarness>(dir_.filePath("settings.ini"));
        app_->controller->newCarnetDocumentMenuAction();
        w_ = qobject_cast<CarnetWindow*>(app_->controller->windows().last());
        divelog::Carnet::DiveList dives;
        dives.push_back(sixtyMinuteDive());
        w_->carnet().loadList(std::move(dives));
        w_->session().select({0});
    }
    void cleanup() {
        app_.reset();
        flushDeletes();
    }

    void theCurveIsDrawnWhereTheChartSays() {
        w_->displayProfilWindow();
        Profil* view = w_->profileWindow()->view();
        view->resize(700, 620);
        const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(image.save(dir_.filePath("profile.png")));
        const divelog::ProfileChart& chart = view->chart();
        int found = 0, checked = 0;
        for (std::size_t i = 1; i + 1 < chart.depthCurve.size(); i += 12) {
            const auto p = chart.depthCurve[i];
            if (p.y >= chart.surfaceY) continue;  // the surface line is drawn over it
            const int x = static_cast<int>(std::lround(p.x)),
                      y = static_cast<int>(std::lround(chart.height - p.y));
            bool hit = false;
            for (int dx = -2; dx <= 2 && !hit; ++dx)
                for (int dy = -2; dy <= 2 && !hit; ++dy)
                    hit = image.valid(x + dx, y + dy) && reddish(image.pixel(x + dx, y + dy));
            found += hit;
            ++checked;
        }
        QVERIFY2(found == checked,
                 qPrintable(QStringLiteral("%1 of %2 points").arg(found).arg(checked)));
        // Far from the curve, in the water, there is no curve colour.
        QVERIFY(!reddish(image.pixel(300, static_cast<int>(chart.height - chart.surfaceY) + 40)));

        // The read-out follows the pointer.
        QMouseEvent move(QEvent::MouseMove, QPointF(355, 620 - 368),
                         view->mapToGlobal(QPointF(355, 252)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QVERIFY(w_->profileWindow()->readoutLabel()->text().contains("min"));
        QVERIFY(w_->profileWindow()->summaryLabel()->text().contains("CNS"));
    }

    void theCeilingFollowsThePointerAndTheGradientFactors() {
        w_->carnet().append([] {
            divelog::Carnet::DiveList l;
            l.push_back(decoDiveBroughtUp());
            return l;
        }());
        w_->session().select({1});
        w_->displayProfilWindow();
        ProfilWindow* window = w_->profileWindow();
        Profil* view = window->view();
        view->resize(700, 620);
        const divelog::ProfileChart& chart = view->chart();
        QVERIFY(!chart.ceilingArea.empty());
        QVERIFY(!chart.ceilingBreaks.empty());
        QVERIFY(window->summaryLabel()->text().contains("GF 30/85"));
        QVERIFY(window->summaryLabel()->text().contains("Stretches above the ceiling: 1"));
        QVERIFY(window->summaryLabel()->text().contains("Over the profile: CNS"));
        QVERIFY(window->tissueChart()->moment().has_value());  // the end of the dive, at first
        const QImage image = window->grab().toImage();
        QVERIFY(image.save(dir_.filePath("ceiling.png")));

        // Over the bottom's end: a ceiling, and the bars of that moment.
        const double x =
            chart.left + (chart.right - chart.left) * 203 / static_cast<double>(chart.samples);
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 400), view->mapToGlobal(QPointF(x, 400)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QVERIFY2(window->readoutLabel()->text().contains("ceiling"),
                 qPrintable(window->readoutLabel()->text()));
        QVERIFY(window->tissueChart()->moment()->decompression);
        QCOMPARE(window->tissueChart()->moment()->sample, std::size_t{203});

        // New gradient factors reach the open window through the form's refresh.
        app_->context.settings().store("gf high", 70.0);
        app_->context.notifications().post("updateDeco");
        QVERIFY(window->summaryLabel()->text().contains("GF 30/70"));
        QVERIFY(view->chart().texts.end() !=
                std::find_if(
                    view->chart().texts.begin(), view->chart().texts.end(),
                    [](const divelog::ChartText& t) { return t.text == "Ceiling, GF 30/70"; }));
    }

    void theProfilePrintsAsAPage() {
        w_->displayProfilWindow();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath("profile.pdf"));
        w_->profileWindow()->print(printer);
        QFileInfo pdf(dir_.filePath("profile.pdf"));
        QVERIFY(pdf.exists());
        QVERIFY(pdf.size() > 2000);
    }

    void profileDataAppliesAsOneStepOrSaysWhyNot() {
        w_->profilInfo();
        ProfileDataWindow* data = w_->profileDataWindow();
        QCOMPARE(data->area(SeriesId::Depth)->toPlainText().count('\n'), 359);
        QVERIFY(data->area(SeriesId::Ceiling)->toPlainText().isEmpty());
        data->replaceBox(SeriesId::Depth)->setChecked(true);
        data->area(SeriesId::Depth)->setPlainText("0\n12.5\nabout 18\n0\n");
        data->findChild<QPushButton*>("importProfil")->click();
        QCOMPARE(app_->prompts->reports.size(), 1);
        QCOMPARE(w_->carnet().dive(0).profilProfondeur()->size(), std::size_t(360));

        data->area(SeriesId::Depth)->setPlainText("0\n12.5\n18\n0\n");
        data->findChild<QPushButton*>("importProfil")->click();
        QCOMPARE(w_->carnet().dive(0).profilProfondeur(), (std::vector<double>{0, 12.5, 18, 0}));
        QCOMPARE(data->area(SeriesId::Depth)->toPlainText(), QString("0.0\n12.5\n18.0\n0.0"));
        QVERIFY(w_->undoAction()->text().contains(app_->text.main("Apply Profile")));

        data->allBox()->click();
        QVERIFY(data->replaceBox(SeriesId::Pressure)->isChecked());
        QVERIFY(data->area(SeriesId::Depth)->toPlainText().isEmpty());
    }

    void theConsumptionSheetFollowsTheForm() {
        w_->openEditWindow();
        DiveEditWindow* edit = w_->editWindow();
        edit->showConsumption();
        auto* text = edit->consumptionSheet()->findChild<QLabel*>("consumptionText");
        QVERIFY(text->text().contains("1680"));  // 12 L x (200 - 60) bar
        // Both oxygen figures, told apart.
        auto* oxygen = edit->consumptionSheet()->findChild<QLabel*>("consumptionOxygen");
        QVERIFY(oxygen->text().contains("CNS oxygen clock"));
        QVERIFY(oxygen->text().contains("Over the profile: CNS"));
        QVERIFY(oxygen->text().contains(app_->text.carnet("Oxygen which is which")));
        w_->session().form().setText("temps", "0");
        edit->binder().fill();
        w_->session().refresh();
        edit->showForm();
        QCOMPARE(text->text(), app_->text.carnet("Gas status error"));
    }

private:
    QTemporaryDir dir_;
    std::unique_ptr<AppHarness> app_;
    CarnetWindow* w_ = nullptr;
};

QTEST_MAIN(ProfileWindows)
#include "tst_profile.moc"
