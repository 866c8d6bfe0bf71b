#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "profile/ProfileDataSheet.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class UiText;

// The profile-data window: each series of the dive shown as text, one entry
// per line, with its count and a replace box. Apply hands the sheet to the
// logbook window, which applies it to the form and the dive.
class ProfileDataWindow : public QWidget {
    Q_OBJECT
public:
    ProfileDataWindow(const UiText& text, QWidget* parent);

    // Fills the areas from the series (updateProfilInfo).
    void fill(const divelog::ProfileSeries& series, const QString& title);
    // The window's areas and boxes as a sheet to apply.
    divelog::ProfileDataSheet sheet() const;
    QPlainTextEdit* area(divelog::SeriesId id) const { return rows_.at(id).area; }
    QCheckBox* replaceBox(divelog::SeriesId id) const { return rows_.at(id).replace; }
    QCheckBox* allBox() const { return all_; }
    void present();
    // Whether the user changed an area or a box since the last fill: typed
    // samples not applied yet, which nothing may drop without asking.
    bool hasUnappliedEdits() const { return edited_; }
    // Asked before the window closes; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

signals:
    void applyRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QPlainTextEdit* area;
        QLabel* count;
        QCheckBox* replace;
    };
    const UiText& text_;
    std::map<divelog::SeriesId, Row> rows_;
    QCheckBox* all_ = nullptr;
    std::function<bool()> closeGuard_;
    bool filling_ = false;
    bool edited_ = false;
};
