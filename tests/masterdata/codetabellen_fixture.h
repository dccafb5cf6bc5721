#pragma once
// A code-table window (offices, appointment types, currencies) inside a real main window
// over a temporary club, registered the way the program registers it, with scripted
// answers to every question.
#include "mitglieder_fixture.h"

#include <QAction>
#include <QPushButton>

namespace trevo::masterdata::test {

template <class Form, int Code, const char* File>
class Codetabelle : public ImHauptfenster {
protected:
    // Records written before the window opens.
    virtual void club() {}

    void SetUp() override
    {
        club();
        w = dynamic_cast<Form*>(fensterOeffnen(Code));
        ASSERT_NE(w, nullptr);
    }

    engine::TableDataSet& t() { return *w->tabelle(); }
    Eingabemodus mode() const { return w->tag(); }
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

    Form* w = nullptr;
};

} // namespace trevo::masterdata::test
