#pragma once

#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "dive/Plongee.h"

namespace divelog {
class AppContext;
class DiveForm;
}  // namespace divelog
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QValidator;
class QWidget;

// Binds the dive form's controls to widgets by name, generically from the
// control's kind: text fields (a combo box when a list feeds them, a text
// area for the run time and the notes), choice lists, switches, the
// difficulty slider, the apparatus selector, date and time. Every widget is
// named after its control.
//
// fill() puts the form into the widgets without touching the form; a user
// edit goes into the form through its setters at once, so the form knows it
// was modified, and `committed` follows when the user is done with a control.
class DiveFormBinder : public QObject {
    Q_OBJECT
public:
    DiveFormBinder(divelog::DiveForm& form, divelog::AppContext& context,
                   QObject* parent = nullptr);

    // The widget of a control, made on first request; the caller places it.
    QWidget* widget(const std::string& name);
    // One cell of the apparatus selector (made with widget("rebreather")).
    QAbstractButton* selectorButton(int code) const;
    // Controls of the form that no view asked for.
    std::vector<std::string> unboundControls() const;

    void fill();
    // Rereads the pick lists behind the combo boxes that show them.
    void reloadPickLists();

signals:
    // The user finished with a control: the read-outs may follow.
    void committed(const QString& name);
    // End of editing of a combo box fed by a pick list.
    void pickListEditFinished(const QString& name);

private:
    QWidget* make(const std::string& name);
    QWidget* makeTextField(const std::string& name);
    // The field's number rule from the core, with its range under "us units" when set.
    QValidator* numberValidator(QWidget* field, divelog::Plongee::Field which);
    QWidget* makeChoice(const std::string& name);
    QWidget* makeSelector(const std::string& name);
    void fillOne(const std::string& name, QWidget* w);
    void setItems(QComboBox* box, const std::vector<std::string>& items);

    divelog::DiveForm& form_;
    divelog::AppContext& context_;
    std::map<std::string, QWidget*> widgets_;
    QButtonGroup* selector_ = nullptr;
    int filling_ = 0;
};
