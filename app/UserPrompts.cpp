#include "UserPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include "localisation/UiText.h"

namespace {

QString documentsFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(docs).isDir() ? docs : QDir::homePath();
}

}  // namespace

void UserPrompts::report(QWidget* parent, const QString& message, const QString& reason) {
    report(parent, message, reason, QString());
}

void UserPrompts::report(QWidget* parent, const QString& message, const QString& reason,
                         const QString& details) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, parent);
    box.setInformativeText(reason);
    // The same words twice say nothing more.
    if (details != reason) box.setDetailedText(details);
    box.button(QMessageBox::Ok)->setText(text_.main("OK"));
    box.exec();
}

bool UserPrompts::confirm(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), message,
                    QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(text_.main("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(text_.main("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

bool UserPrompts::ask(QWidget* parent, const QString& message, const QString& yes,
                      const QString& no) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), message,
                    QMessageBox::NoButton, parent);
    QPushButton* first = box.addButton(yes, QMessageBox::YesRole);
    box.addButton(no, QMessageBox::NoRole);
    box.setDefaultButton(first);
    box.exec();
    return box.clickedButton() == first;
}

void UserPrompts::inform(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), message,
                    QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(text_.main("OK"));
    box.exec();
}

UserPrompts::SaveChoice UserPrompts::askToSave(QWidget* parent, const QString& documentName) {
    QMessageBox box(
        QMessageBox::Warning, QApplication::applicationDisplayName(),
        text_.format("Main", "Save changes question", "error !", {documentName.toStdString()}),
        QMessageBox::NoButton, parent);
    box.setInformativeText(text_.main("Save changes lost"));
    QPushButton* save = box.addButton(text_.main("Save"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(text_.main("Don't Save"), QMessageBox::DestructiveRole);
    box.addButton(text_.main("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

UserPrompts::NewDiveChoice UserPrompts::askToAddDive(QWidget* parent) {
    return askToAdd(parent, text_.main("Add this dive to the logbook?"),
                    text_.main("New dive not stored"));
}

UserPrompts::NewDiveChoice UserPrompts::askToAddCard(QWidget* parent) {
    return askToAdd(parent, text_.main("Add this card to the register?"),
                    text_.main("New card not stored"));
}

UserPrompts::ApplyChoice UserPrompts::askToApplyProfile(QWidget* parent) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(),
                    text_.main("Apply the profile typed?"), QMessageBox::NoButton, parent);
    box.setInformativeText(text_.main("Profile not applied"));
    QPushButton* apply = box.addButton(text_.main("Apply"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(text_.main("Discard"), QMessageBox::DestructiveRole);
    box.addButton(text_.main("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(apply);
    box.exec();
    if (box.clickedButton() == apply) return ApplyChoice::Apply;
    if (box.clickedButton() == discard) return ApplyChoice::Discard;
    return ApplyChoice::Cancel;
}

UserPrompts::NewDiveChoice UserPrompts::askToAdd(QWidget* parent, const QString& question,
                                                 const QString& detail) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), question,
                    QMessageBox::NoButton, parent);
    box.setInformativeText(detail);
    QPushButton* add = box.addButton(text_.main("Add"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(text_.main("Discard"), QMessageBox::DestructiveRole);
    box.addButton(text_.main("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(add);
    box.exec();
    if (box.clickedButton() == add) return NewDiveChoice::Add;
    if (box.clickedButton() == discard) return NewDiveChoice::Discard;
    return NewDiveChoice::Cancel;
}

QString UserPrompts::openPath(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, text_.main("Open..."), documentsFolder(), filter);
}

QString UserPrompts::savePathOfType(QWidget* parent, const QString& suggestedName,
                                    const QStringList& filters, const QString& suffix,
                                    QString& chosenFilter) {
    QFileDialog dialog(parent, text_.main("Save As..."), QString(),
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    // The suffix added to a bare name follows the type chosen: "exp" saved as
    // a CSV export becomes "exp.csv", not "exp.divelog.csv".
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const qsizetype dot = f.lastIndexOf(QStringLiteral("(*."));
        if (dot >= 0) dialog.setDefaultSuffix(f.mid(dot + 3).chopped(1));
    });
    if (QFileInfo(suggestedName).isRelative()) dialog.setDirectory(documentsFolder());
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}
