#include "dbcontrols/qt_dialogs.h"

#include "dbcontrols/folder_dialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace trevo::controls {

using common::Answer;
using common::BoxKind;
using common::Buttons;

namespace {

QMessageBox::Icon iconOf(BoxKind kind)
{
    switch (kind) {
    case BoxKind::Message: return QMessageBox::NoIcon;
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Confirmation: return QMessageBox::Question;
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QString boxTitle()
{
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Trevo") : name;
}

} // namespace

Answer QtDialogs::show(BoxKind kind, const QString& text, Buttons buttons)
{
    QMessageBox box(iconOf(kind), boxTitle(), text, QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    if (buttons == Buttons::Ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        if (buttons == Buttons::YesNoCancel)
            cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel ? cancel : no);
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked == yes && yes) return Answer::Yes;
    if (clicked == no && no) return Answer::No;
    if (clicked == cancel && cancel) return Answer::Cancel;
    if (buttons == Buttons::Ok) return Answer::Ok;
    return cancel ? Answer::Cancel : Answer::No;
}

std::optional<QString> QtDialogs::openFileName(const QString& caption, const QString& folder,
                                               const QString& filter)
{
    const QString name = QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::saveFileName(const QString& caption, const QString& folder,
                                               const QString& filter)
{
    const QString name = QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, folder, filter);
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::chooseFolder(const QString& preset)
{
    FolderDialog dialog(QApplication::activeWindow());
    dialog.preset(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.result();
}

} // namespace trevo::controls
