#pragma once

#include <QWidget>
#include <string_view>

namespace divelog {
class AppContext;
class Localisation;
struct Answer;
struct NumberTyping;
struct ResultFormat;
struct Shown;
}  // namespace divelog
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class UiText;

// What every calculator window shares: number fields that take only what a
// number can be, result labels turning red for a refusal, one compute action
// run by its button or Return in a field, and a frame remembered under its
// layout name. Created once and kept: closing only hides it, and the fields
// keep what was typed. The windows read fields and show answers; every
// formula and range rule lives in core/calculators.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(divelog::AppContext& context, const UiText& text, const QString& layout);
    ~CalculatorWindow() override;

    QString layoutName() const { return objectName(); }
    // Brings the window to the front, where it was left the last time.
    void present();

    // A field's text as the calculators read it: "," or "." as decimal point,
    // blank as 0.
    static double value(const QLineEdit* field);
    // Shows a text in red when `alert`, in the window's colour otherwise.
    static void setAlert(QWidget* widget, bool alert);
    static bool isAlert(const QWidget* widget);

public slots:
    // The window's one action: reads its fields and replaces its results.
    virtual void compute() = 0;

protected:
    const divelog::Localisation& loc() const;
    // A number field named after its control, computing on Return.
    QLineEdit* numberField(std::string_view name, bool negative = false);
    // The same, labelled, on the form.
    QLineEdit* addNumberField(const QString& label, std::string_view name, bool negative = false);
    // A labelled field letting in what `typing` does.
    QLineEdit* addNumberField(const QString& label, std::string_view name,
                              const divelog::NumberTyping& typing);
    // The compute button, under the fields.
    QPushButton* addComputeButton(const QString& title);
    // A selectable, wrapping result label with a note line under it.
    QLabel* addResult(std::string_view name);
    // The answer's text in this application's tables.
    divelog::Shown textOf(const divelog::Answer& answer, const divelog::ResultFormat& format) const;
    void showAnswer(QLabel* result, const divelog::Shown& shown);
    void hideEvent(QHideEvent* event) override;

    divelog::AppContext& context_;
    const UiText& text_;
    QVBoxLayout* box_ = nullptr;
    QFormLayout* form_ = nullptr;
    QLabel* note_ = nullptr;
    QWidget* firstField_ = nullptr;  // where typing starts; the first field when null

private:
    bool placed_ = false;
};
