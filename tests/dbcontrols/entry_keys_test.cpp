// The keys of the entry fields: Esc asks, Enter/Down/PgDn and Up/PgUp walk the fields.
#include "dbcontrols/entry_keys.h"
#include "common/dialogs/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace trevo::controls;
using namespace trevo::common;

namespace {

struct Panel {
    QWidget window;
    QLineEdit* name = new QLineEdit;
    QLineEdit* disabled = new QLineEdit;
    QComboBox* combo = new QComboBox;
    QCheckBox* check = new QCheckBox("Mitglied");
    QTextEdit* memo = new QTextEdit;
    QDateEdit* date = new QDateEdit;
    EntryKeys keys;

    Panel()
    {
        auto* l = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{name, disabled, combo, check, memo, date}) l->addWidget(w);
        disabled->setEnabled(false);
        combo->setEditable(true);
        combo->addItems({"eins", "zwei"});
        keys.attachAll(&window);
        window.show();
        name->setFocus();
    }
    QWidget* focused() const { return window.focusWidget(); }
    // The field owning the focus (a combo's line edit counts as the combo).
    QWidget* focusedField() const
    {
        QWidget* f = focused();
        if (f && f->parentWidget() && (qobject_cast<QComboBox*>(f->parentWidget()) || qobject_cast<QDateEdit*>(f->parentWidget())))
            return f->parentWidget();
        return f;
    }
    void press(Qt::Key key) { QTest::keyClick(focused(), key); }
};

} // namespace

TEST(EntryKeys, EnterDownAndPageDownMoveForwardSkippingDisabledFields)
{
    Panel p;
    ASSERT_EQ(p.focused(), p.name);
    p.press(Qt::Key_Return);
    EXPECT_EQ(p.focusedField(), p.combo);
    p.press(Qt::Key_Down);
    EXPECT_EQ(p.focusedField(), p.check);
    EXPECT_EQ(p.combo->currentIndex(), 0) << "the key moves the focus, not the selection";
    p.press(Qt::Key_PageDown);
    EXPECT_EQ(p.focusedField(), p.memo);
    p.press(Qt::Key_Enter);
    EXPECT_EQ(p.focusedField(), p.date);
    EXPECT_TRUE(p.memo->toPlainText().isEmpty()) << "Enter in the memo moves on";
}

TEST(EntryKeys, UpAndPageUpMoveBack)
{
    Panel p;
    p.date->setFocus();
    p.press(Qt::Key_Up);
    EXPECT_EQ(p.focusedField(), p.memo);
    p.press(Qt::Key_PageUp);
    EXPECT_EQ(p.focusedField(), p.check);
    p.press(Qt::Key_Up);
    EXPECT_EQ(p.focusedField(), p.combo);
    p.press(Qt::Key_Up);
    EXPECT_EQ(p.focusedField(), p.name);
}

TEST(EntryKeys, OtherKeysStayWithTheField)
{
    Panel p;
    QTest::keyClicks(p.name, "Meier");
    EXPECT_EQ(p.name->text(), "Meier");
    EXPECT_EQ(p.focused(), p.name);
}

TEST(EntryKeys, EscapeAsksAndCancelsOnlyOnYes)
{
    ScriptedDialogs script;
    DialogsScope scope(script);
    Panel p;
    QSignalSpy cancelled(&p.keys, &EntryKeys::cancelConfirmed);
    script.answer(Answer::No).answer(Answer::Yes);
    p.press(Qt::Key_Escape);
    EXPECT_EQ(cancelled.count(), 0);
    p.memo->setFocus();
    p.press(Qt::Key_Escape);
    EXPECT_EQ(cancelled.count(), 1);
    EXPECT_EQ(script.texts(), QStringList({"Dateneingabe abbrechen ?", "Dateneingabe abbrechen ?"}));
    EXPECT_TRUE(script.problems().isEmpty());
}
