#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>

#include "registers/RegisterSpec.h"

namespace divelog {
class PickLists;
class RegisterSession;
}  // namespace divelog
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QWidget;
class UiText;

// Binds a register's edit form to widgets, generically from each control's
// kind, and lays out its views. Every widget is named after its field.
//
// fill() puts the form into the widgets without touching the form; a user
// edit goes into the form at once, and `committed` follows when the user is
// done with a control, so the dependent controls can follow.
class RegisterFormBinder : public QObject {
    Q_OBJECT
public:
    RegisterFormBinder(divelog::RegisterSession& session, const UiText& text,
                       divelog::PickLists& pickLists, QObject* parent = nullptr);

    // The widgets of one view (1 based), in a form layout.
    QWidget* buildView(int view);
    QWidget* widget(const std::string& field) const;

    void fill();
    // Hidden and disabled controls and read-outs.
    void applyState(const divelog::FormState& state);
    void reloadPickLists();
    // How the image control asks for a picture file; it returns the bytes,
    // or nothing when the user cancelled.
    void setImageChooser(std::function<std::optional<divelog::Image>()> chooser) {
        chooseImage_ = std::move(chooser);
    }

signals:
    void committed(const QString& field);
    // End of editing of a combo box fed by a pick list.
    void comboEditFinished(const QString& field);
    // A control's value changed while the user is still at it (a date).
    void valueChanged(const QString& field);

private:
    QWidget* make(const divelog::FormControl& control);
    QWidget* makeImage(const divelog::FormControl& control);
    QWidget* makeSlider(const divelog::FormControl& control);
    void fillOne(const divelog::FormControl& control, QWidget* w);
    void addReadout(const divelog::FormControl& control, QHBoxLayout* line, QWidget* page);
    void showImage(const std::string& field);

    divelog::RegisterSession& session_;
    const UiText& text_;
    divelog::PickLists& pickLists_;
    std::map<std::string, QWidget*> widgets_;
    std::map<std::string, QLabel*> labels_;
    std::map<std::string, QLabel*> readouts_;     // by readout key
    std::map<std::string, QWidget*> companions_;  // a slider's number box, an image's picture
    std::map<std::string, QFormLayout*> layoutOf_;
    std::map<std::string, QWidget*> rowOf_;  // the widget the form row holds, when not the control
    QProgressBar* gauge_ = nullptr;
    std::function<std::optional<divelog::Image>()> chooseImage_;
    int filling_ = 0;
};
