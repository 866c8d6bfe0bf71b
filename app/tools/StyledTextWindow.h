#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "util/StyledText.h"

namespace divelog {
class SettingsStore;
}
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTextDocument;
class QTimer;
namespace styledtext {
class Filler;
}

// A window showing a report of the core (the dive card, the statistics
// report) as styled text, with a print button. Closing only hides it; it
// remembers where the user left it under its layout name.
class StyledTextWindow : public QWidget {
    Q_OBJECT
public:
    StyledTextWindow(const QString& layoutName, const QString& printLabel,
                     divelog::SettingsStore& settings, QWidget* parent);
    ~StyledTextWindow() override;

    // Replaces the text; an empty one shows `emptyNote` instead.
    void setText(const divelog::StyledText& text, const QString& emptyNote = {});

    // A text of many items written a part at a time: the first part shows at
    // once, the rest follows behind a progress bar the user can cancel.
    struct Parts {
        std::size_t count = 0;  // items
        std::size_t size = 1;   // items per part
        std::function<divelog::StyledText(std::size_t first, std::size_t last)> make;
        QString cancelLabel;
        std::function<QString(std::size_t done, std::size_t count)> stoppedNote;
    };
    void setTextInParts(Parts parts);
    bool isWriting() const;
    void cancelWriting();

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
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* writer_ = nullptr;
    std::unique_ptr<styledtext::Filler> filler_;
    Parts parts_;
    std::size_t written_ = 0;
    bool empty_ = true;

    void writeNextPart();
    void stopWriting();
};
