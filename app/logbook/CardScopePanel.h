#pragma once

#include <QDialog>

class QRadioButton;
class UiText;

// Asks which dives the card shows: tag 0 the selected dive, tag 1 every
// dive. It only asks; `chosen` carries the tag.
class CardScopePanel : public QDialog {
    Q_OBJECT
public:
    CardScopePanel(const UiText& text, QWidget* parent);

    QRadioButton* cell(int tag) const { return tag == 1 ? all_ : selected_; }
    int scope() const;
    void present();
    // The confirm button: closes the panel and tells the choice.
    void confirm();

signals:
    void chosen(int scope);

private:
    QRadioButton* selected_ = nullptr;
    QRadioButton* all_ = nullptr;
};
