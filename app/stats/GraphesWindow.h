#pragma once

#include <QWidget>

namespace divelog {
class AppContext;
}
class Graphes;
class QPrinter;
class UiText;

// The statistics graph window: the depth-band and gas-family bars, redrawn
// with the settings of the moment, and printed on one portrait page.
class GraphesWindow : public QWidget {
    Q_OBJECT
public:
    GraphesWindow(divelog::AppContext& context, const UiText& text, QWidget* parent);

    Graphes* view() const { return view_; }
    // Reads the background and grid settings again.
    void redraw();
    void print(QPrinter& printer) const;
    void present();

signals:
    void printRequested();
    void pageSetupRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    divelog::AppContext& context_;
    Graphes* view_ = nullptr;
};
