#pragma once

// What the register window tests share: making a register, typing into its
// edit window, reading a cell, and printing its list and card to PDF.

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QtTest>

#include "AppTestHarness.h"
#include "registers/RegisterEditWindow.h"
#include "registers/RegisterTableModel.h"
#include "registers/RegisterWindow.h"

namespace registerkit {

inline RegisterWindow* newRegister(AppHarness& app, divelog::DocumentKind kind) {
    app.controller->newDocumentOfKind(kind);
    auto* w = qobject_cast<RegisterWindow*>(app.controller->windows().last());
    // Fails the test here, in a Release build too; the caller stops on the null.
    QTest::qVerify(w != nullptr, "w", "a new register opens its list window", __FILE__, __LINE__);
    return w;
}

// Types as the user does, in a line or in a combo box's line.
inline void type(RegisterEditWindow* edit, const char* field, const char* text) {
    QWidget* w = edit->control(field);
    if (auto* box = qobject_cast<QComboBox*>(w)) w = box->lineEdit();
    auto* line = qobject_cast<QLineEdit*>(w);
    QVERIFY2(line, field);
    line->selectAll();
    QTest::keyClicks(line, text);
    emit line->editingFinished();
}

inline QString cellText(RegisterWindow* w, int row, const char* field) {
    return w->model()->index(row, w->model()->columnOf(field)).data().toString();
}

// The list and the card as PDF files named after `tag`, in the folder
// DIVELOG_PRINT_DIR names (so a person can look at them), else in `folder`.
// False when either came out empty.
inline bool printBoth(RegisterWindow* w, const QString& folder, const QString& tag) {
    const QString into = qEnvironmentVariable("DIVELOG_PRINT_DIR", folder);
    for (const QString name : {"list", "card"}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = into + "/" + tag + "-" + name + ".pdf";
        printer.setOutputFileName(pdf);
        if (name == "list")
            w->printList(printer);
        else
            w->printSynthesis(printer);
        if (QFileInfo(pdf).size() <= 1500) return false;
    }
    return true;
}

}  // namespace registerkit
