#pragma once
// Every modal dialog of the master-data windows is shown through zeigeModal, so that
// tests can work a dialog's real controls instead of a user: a queued runner gets the
// shown dialog, types and clicks, and whatever the clicks decided is the result.
#include <QStringList>

#include <deque>
#include <functional>

class QDialog;

namespace trevo::shell::stammdaten {

using ModalRunner = std::function<void(QDialog&)>;

// Shows the dialog modally and returns its result (QDialog::Accepted or Rejected).
int zeigeModal(QDialog& dialog);

// Runners for the next dialogs, in order, for the lifetime of the scope. A dialog shown
// without a queued runner is rejected and noted in problems(); a dialog that a runner
// left open is closed as rejected and noted too.
class ModalSkript {
public:
    ModalSkript();
    ~ModalSkript();
    ModalSkript(const ModalSkript&) = delete;
    ModalSkript& operator=(const ModalSkript&) = delete;

    ModalSkript& then(ModalRunner runner);
    size_t pending() const { return runners_.size(); }
    const QStringList& problems() const { return problems_; }
    // Captions of the dialogs shown so far.
    const QStringList& shown() const { return shown_; }

    int run(QDialog& dialog);

private:
    ModalSkript* previous_;
    std::deque<ModalRunner> runners_;
    QStringList problems_;
    QStringList shown_;
};

} // namespace trevo::shell::stammdaten
