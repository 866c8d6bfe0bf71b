// The notes, and what the recorded profile says.

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "logbook/DiveEditParts.h"
#include "logbook/DiveViewKit.h"

QWidget* buildNotesView(DiveViewKit& kit) {
    auto* page = new QWidget;
    auto* g = new QGridLayout(page);

    QGroupBox* notes = kit.group("Notes");
    auto* notesLayout = DiveViewKit::grid(notes);
    auto* text = static_cast<QPlainTextEdit*>(kit.field("notes"));
    text->setMinimumSize(420, 260);
    notesLayout->addWidget(text, 0, 0);
    g->addWidget(notes, 0, 0);

    QGroupBox* profile = kit.group("Profile summary");
    QGridLayout* p = DiveViewKit::grid(profile);
    DiveEditParts& parts = kit.parts;
    QLabel** lines[] = {&parts.profileDepth,  &parts.profileSampling, &parts.profilePoints,
                        &parts.profileEvents, &parts.oxygen,          &parts.consumption};
    int row = 0;
    for (QLabel** line : lines) {
        *line = kit.readout();
        p->addWidget(*line, row++, 0);
    }
    p->setRowStretch(row, 1);
    profile->setMinimumWidth(300);
    g->addWidget(profile, 0, 1);
    g->setColumnStretch(0, 1);
    return page;
}
