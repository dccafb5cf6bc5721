#include "shell/stammdaten/modal.h"

#include <QDialog>

namespace trevo::shell::stammdaten {

namespace {
ModalSkript* active = nullptr;
}

int zeigeModal(QDialog& dialog)
{
    if (active) return active->run(dialog);
    return dialog.exec();
}

ModalSkript::ModalSkript() : previous_(active) { active = this; }

ModalSkript::~ModalSkript() { active = previous_; }

ModalSkript& ModalSkript::then(ModalRunner runner)
{
    runners_.push_back(std::move(runner));
    return *this;
}

int ModalSkript::run(QDialog& dialog)
{
    shown_ << dialog.windowTitle();
    dialog.setResult(QDialog::Rejected);
    if (runners_.empty()) {
        problems_ << QStringLiteral("Dialog ohne Skript: ") + dialog.windowTitle();
        return QDialog::Rejected;
    }
    ModalRunner runner = std::move(runners_.front());
    runners_.pop_front();
    dialog.show();
    runner(dialog);
    if (dialog.isVisible()) {
        problems_ << QStringLiteral("Dialog blieb offen: ") + dialog.windowTitle();
        dialog.done(QDialog::Rejected);
    }
    return dialog.result();
}

} // namespace trevo::shell::stammdaten
