#include "common/dialogs/scripted_dialogs.h"

namespace trevo::common {

namespace {

bool fits(Answer a, Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return a == Answer::Ok;
    case Buttons::YesNo: return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel: return a != Answer::Ok;
    }
    return false;
}

} // namespace

ScriptedDialogs& ScriptedDialogs::answer(Answer a)
{
    answers_.push_back(a);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::choose(std::optional<QString> result)
{
    choices_.push_back(std::move(result));
    return *this;
}

Answer ScriptedDialogs::show(BoxKind kind, const QString& text, Buttons buttons)
{
    Answer a = Answer::Ok;
    if (buttons != Buttons::Ok) {
        if (!answers_.empty() && fits(answers_.front(), buttons)) {
            a = answers_.front();
            answers_.pop_front();
        } else {
            if (!answers_.empty()) answers_.pop_front(); // a wrong script answer is used up
            problems_ << QStringLiteral("Keine passende Antwort auf: ") + text;
            a = buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
        }
    }
    shown_.push_back({kind, text, buttons, a});
    return a;
}

std::optional<QString> ScriptedDialogs::nextChoice(const QString& what)
{
    choosers_ << what;
    if (choices_.empty()) {
        problems_ << QStringLiteral("Keine Auswahl vorgesehen für: ") + what;
        return std::nullopt;
    }
    const bool cancelled = !choices_.front().has_value();
    const QString chosen = choices_.front().value_or(QString());
    choices_.pop_front();
    if (cancelled) return std::nullopt;
    return chosen;
}

std::optional<QString> ScriptedDialogs::openFileName(const QString& caption, const QString&, const QString&)
{
    return nextChoice(caption);
}

std::optional<QString> ScriptedDialogs::saveFileName(const QString& caption, const QString&, const QString&)
{
    return nextChoice(caption);
}

std::optional<QString> ScriptedDialogs::chooseFolder(const QString& preset)
{
    return nextChoice(preset);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList r;
    for (const auto& s : shown_) r << s.text;
    return r;
}

void ScriptedDialogs::clear()
{
    answers_.clear();
    choices_.clear();
    shown_.clear();
    choosers_.clear();
    problems_.clear();
}

} // namespace trevo::common
