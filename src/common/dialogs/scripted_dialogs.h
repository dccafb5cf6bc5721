#pragma once
// A dialog service for tests: answers questions from a queue and records every box.
// Boxes with only an OK button need no answer. A question without a fitting answer
// in the queue is answered with No (or Cancel when offered) and noted in problems().
#include "common/dialogs/dialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace trevo::common {

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        BoxKind kind;
        QString text;
        Buttons buttons;
        Answer answer;
    };

    // Queues the answer to the next question.
    ScriptedDialogs& answer(Answer a);
    // Queues the result of the next file or folder chooser (nothing = cancelled).
    ScriptedDialogs& choose(std::optional<QString> result);

    Answer show(BoxKind kind, const QString& text, Buttons buttons) override;
    std::optional<QString> openFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(const QString& caption, const QString& folder,
                                        const QString& filter) override;
    std::optional<QString> chooseFolder(const QString& preset) override;

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of all boxes shown so far, in order.
    QStringList texts() const;
    // The presets of the folder choosers and the captions of the file choosers.
    const QStringList& choosers() const { return choosers_; }
    // Questions that found no fitting answer, unused answers are reported by pending().
    const QStringList& problems() const { return problems_; }
    size_t pendingAnswers() const { return answers_.size() + choices_.size(); }
    void clear();

private:
    std::optional<QString> nextChoice(const QString& what);

    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> choices_;
    std::vector<Shown> shown_;
    QStringList choosers_;
    QStringList problems_;
};

} // namespace trevo::common
