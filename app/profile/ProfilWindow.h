#pragma once

#include <QWidget>

namespace divelog {
class AppContext;
struct FormReadouts;
struct ProfileChartData;
}  // namespace divelog
class Profil;
class TissueChart;
class QLabel;
class QPrinter;
class UiText;

// The profile window of a logbook: the dive of the edit form as a chart, its
// summary and CNS line beside it, the read-out under the pointer, printing.
// Created on first use and kept; closing only hides it.
class ProfilWindow : public QWidget {
    Q_OBJECT
public:
    ProfilWindow(divelog::AppContext& context, const UiText& text, QWidget* parent);

    Profil* view() const { return view_; }
    QLabel* readoutLabel() const { return readout_; }
    QLabel* summaryLabel() const { return summary_; }
    TissueChart* tissueChart() const { return tissues_; }

    // The dive shown: its chart data and the form's read-outs.
    void show(const divelog::ProfileChartData& data, const divelog::FormReadouts& readouts);
    // The profile settings changed.
    void redraw();
    // Portrait, centred across the page, margins 20 points top and bottom
    // and 10 at the sides, drawn at 0.75; the chart is laid out for the page.
    // On a printer of the caller's, with the profile's page set-up.
    void print(QPrinter& printer) const;
    // On a printer as it is set up (by the print dialog or Page Setup).
    void printOn(QPrinter& printer) const;
    // The printer the dialogs set up, kept between prints.
    QPrinter& printer();
    void present();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void printWithDialog();
    void pageSetup();

    divelog::AppContext& context_;
    const UiText& text_;
    Profil* view_ = nullptr;
    QLabel* location_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* readout_ = nullptr;
    TissueChart* tissues_ = nullptr;
    QPrinter* printer_ = nullptr;  // the page settings kept between prints
};
