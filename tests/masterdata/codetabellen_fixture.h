#pragma once
// A code-table window (offices, appointment types, currencies) inside a real main window
// over a temporary club, registered the way the program registers it, with scripted
// answers to every question.
#include "mitglieder_fixture.h"

#include <QAction>
#include <QPushButton>

namespace trevo::masterdata::test {

template <class Form, int Code, const char* File>
class Codetabelle : public ::testing::Test {
protected:
    // Records written before the window opens.
    virtual void club() {}

    void SetUp() override
    {
        club();
        verein.host.fenster = [this](int code) { return main ? main->Fensterobjekt(code) : nullptr; };
        verein.oeffnen();
        registry.addWindow(common::Fenster::Termine,
                           [](shell::ShellServices& s) -> shell::ChildWindow* { return new Abendfenster(s); });
        registrieren(registry, verein);
        main = std::make_unique<shell::MainForm1>(registry);
        main->resize(1200, 800);
        main->show();
        main->FensterAktivieren(common::Fenster::Termine);
        main->FensterAktivieren(Code);
        w = dynamic_cast<Form*>(main->Fensterobjekt(Code));
        ASSERT_NE(w, nullptr);
        QApplication::processEvents();
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_EQ(script.pendingAnswers(), 0u);
        verein.host.fenster = nullptr;
        main.reset();
    }

    engine::TableDataSet& t() { return *w->tabelle(); }
    Eingabemodus mode() const { return w->tag(); }
    void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
    size_t fileRecords() { return verein.dateiInhalt(File).size(); }
    std::string stored(int nummer, const std::string& field) { return verein.feldIn(File, nummer, field); }
    // The NUMMERs down the grid.
    std::vector<int> numbersShown()
    {
        std::vector<int> out;
        for (size_t r = 0; r < t().recordCount(); ++r)
            out.push_back(static_cast<int>(t().rowValue(r, t().fieldIndex("NUMMER")).toNumber()));
        return out;
    }
    void gotoNumber(int nummer)
    {
        ASSERT_TRUE(t().locate("NUMMER", engine::Value::number(nummer))) << "no record " << nummer;
    }
    void save()
    {
        script.answer(common::Answer::Yes);
        QTest::mouseClick(w->EingabebeendenBitBtn1, Qt::LeftButton);
    }

    TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::WindowRegistry registry;
    std::unique_ptr<shell::MainForm1> main;
    Form* w = nullptr;
};

} // namespace trevo::masterdata::test
