#pragma once

#include <QWidget>

#include "util/StyledText.h"

namespace divelog {
class SettingsStore;
}
class QLabel;
class QPlainTextEdit;
class QTextDocument;

// A window showing a report of the core (the dive card, the statistics
// report) as styled text, with a print button. Closing only hides it; it
// remembers where the user left it under its layout name.
class StyledTextWindow : public QWidget {
    Q_OBJECT
public:
    StyledTextWindow(const QString& layoutName, const QString& printLabel,
                     divelog::SettingsStore& settings, QWidget* parent);

    // Replaces the text; an empty one shows `emptyNote` instead.
    void setText(const divelog::StyledText& text, const QString& emptyNote = {});
    const QTextDocument& document() const;
    QPlainTextEdit* view() const { return view_; }
    bool showsText() const { return !empty_; }
    void present();

signals:
    void printRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString layout_;
    divelog::SettingsStore& settings_;
    QPlainTextEdit* view_ = nullptr;
    QLabel* note_ = nullptr;
    bool empty_ = true;
};
