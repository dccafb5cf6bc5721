#pragma once
// Every message box and question of the program goes through one service, so that the
// same situation reads the same everywhere and tests can answer the questions.
// The Qt boxes are in use unless another service is installed (tests: ScriptedDialogs).
#include <QString>

#include <optional>

namespace trevo::controls {

enum class Answer { Ok, Yes, No, Cancel };

// Look of a box: a plain message has no symbol, the others show theirs.
enum class BoxKind { Message, Information, Confirmation, Warning, Error };

// The button sets the program uses.
enum class Buttons { Ok, YesNo, YesNoCancel };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a box with the text and waits for the answer.
    virtual Answer show(BoxKind kind, const QString& text, Buttons buttons) = 0;

    // File choosers of the program; nothing when the user cancels.
    virtual std::optional<QString> openFileName(const QString& caption, const QString& folder,
                                                const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(const QString& caption, const QString& folder,
                                                const QString& filter) = 0;
    // The folder selection dialog, preset with a folder; the result ends in '/'.
    virtual std::optional<QString> chooseFolder(const QString& preset) = 0;

    // Plain message box with an OK button.
    void message(const QString& text) { show(BoxKind::Message, text, Buttons::Ok); }
    // The application's error box with an OK button.
    void error(const QString& text) { show(BoxKind::Error, text, Buttons::Ok); }
    // Confirmation with Yes and No; true for Yes.
    bool yesNo(const QString& text, BoxKind kind = BoxKind::Confirmation)
    {
        return show(kind, text, Buttons::YesNo) == Answer::Yes;
    }
    // Confirmation with Yes, No and Cancel.
    Answer yesNoCancel(const QString& text, BoxKind kind = BoxKind::Confirmation)
    {
        return show(kind, text, Buttons::YesNoCancel);
    }
};

// The service in use.
Dialogs& dialogs();
// Installs a service (nullptr: the Qt boxes again). The caller keeps ownership.
void setDialogs(Dialogs* service);

// Installs a service for the lifetime of the scope and restores the previous one.
class DialogsScope {
public:
    explicit DialogsScope(Dialogs& service);
    ~DialogsScope();
    DialogsScope(const DialogsScope&) = delete;
    DialogsScope& operator=(const DialogsScope&) = delete;

private:
    Dialogs* previous_;
};

} // namespace trevo::controls
