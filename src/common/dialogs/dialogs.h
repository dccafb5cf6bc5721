#pragma once
// Every message box, question and file chooser of the program goes through one service,
// so that the same situation reads the same everywhere and tests can answer the questions.
// The layers without widgets (options, data module, database tools) use it as well; the
// program installs the service with the real boxes (controls::QtDialogs) when it starts,
// tests install ScriptedDialogs. Without a service installed, texts go to the error
// output and questions are answered with No (Cancel where offered): a command-line tool
// never waits for a box nobody sees.
#include <QString>

#include <cstdio>
#include <optional>

namespace trevo::common {

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
    // Confirmation box with an OK button ("Das Datenfeld GUELTIG wurde eingefügt").
    void confirmation(const QString& text) { show(BoxKind::Confirmation, text, Buttons::Ok); }
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

// The service without a screen: every box's text is written to a stream (behind a
// prefix), questions get the cautious answer (No, Cancel where offered), choosers nothing.
class ConsoleDialogs : public Dialogs {
public:
    ConsoleDialogs(std::FILE* out, QString prefix) : out_(out), prefix_(std::move(prefix)) {}

    Answer show(BoxKind kind, const QString& text, Buttons buttons) override;
    std::optional<QString> openFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> chooseFolder(const QString&) override { return {}; }

    // Boxes shown so far.
    int shown() const { return shown_; }

private:
    std::FILE* out_;
    QString prefix_;
    int shown_ = 0;
};

// The service in use.
Dialogs& dialogs();
// Installs a service (nullptr: none, texts go to the error output). The caller keeps ownership.
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

} // namespace trevo::common
