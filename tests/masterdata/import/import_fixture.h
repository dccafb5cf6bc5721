#pragma once
// The member import over the test club: source tables written by python3-dbf, the
// dialog worked through its real controls, the stored bowlers read from KEGLER.DBF.
#include "masterdata/import/db_import_dlg.h"
#include "masterdata/import/importieren.h"

#include "common/dialogs/scripted_dialogs.h"
#include "shell/stammdaten/modal.h"
#include "../test_support.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace trevo::masterdata::test {

class Import : public ::testing::Test {
protected:
    // The data module is open, as in the program: its members table shares the file.
    void SetUp() override
    {
        verein.leeren("KEGLER.DBF");
        verein.oeffnen();
    }

    void TearDown() override
    {
        EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join(" | ").toStdString();
        EXPECT_TRUE(modal.problems().isEmpty()) << modal.problems().join(" | ").toStdString();
        EXPECT_EQ(modal.pending(), 0u);
    }

    // Writes a dBASE III table into the data folder: `struktur` as python3-dbf takes it
    // ("NAME C(20); NR N(5,0)"), `zeilen` as Python tuples ("('Adler', 7)").
    std::string quelle(const std::string& datei, const std::string& struktur, const std::vector<std::string>& zeilen,
                       const std::string& codepage = "cp1252")
    {
        const std::string pfad = verein.pfad(datei);
        std::string py = "import dbf\nt = dbf.Table(" + repr(pfad) + ", " + repr(struktur) +
                         ", dbf_type='db3', codepage=" + repr(codepage) + ")\nt.open(dbf.READ_WRITE)\n";
        for (const auto& z : zeilen) py += "t.append(" + z + ")\n";
        py += "t.close()\n";
        QProcess p;
        p.start("/usr/bin/python3", {"-c", QString::fromStdString(py)});
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return pfad;
    }

    // Chooses the file in the open-file dialog and runs the sequence with the dialog
    // worked by `bedienen`; returns the records imported.
    int importieren(const std::string& pfad, std::function<void(TDBImportDlg&)> bedienen)
    {
        script.choose(QString::fromStdString(pfad));
        modal.then([&](QDialog& d) {
            auto* dlg = dynamic_cast<TDBImportDlg*>(&d);
            ASSERT_NE(dlg, nullptr);
            bedienen(*dlg);
        });
        return Importieren(verein);
    }

    // Connects the target field to the source field through the two lists and "<=>".
    static void verbinden(TDBImportDlg& d, const QString& ziel, const QString& quelle)
    {
        d.Listbox1->setCurrentItem(d.Listbox1->findItems(ziel, Qt::MatchExactly).value(0));
        d.Listbox2->setCurrentItem(d.Listbox2->findItems(quelle, Qt::MatchExactly).value(0));
        QTest::mouseClick(d.IncludeBtn, Qt::LeftButton);
    }
    static void ok(TDBImportDlg& d) { QTest::mouseClick(d.OKBtn, Qt::LeftButton); }

    size_t anzahl() { return verein.dateiInhalt("KEGLER.DBF").size(); }

    TestVerein verein;
    common::ScriptedDialogs script;
    common::DialogsScope scope{script};
    shell::stammdaten::ModalSkript modal;

private:
    static std::string repr(const std::string& s)
    {
        std::string r = "'";
        for (char c : s) r += (c == '\'' || c == '\\') ? std::string("\\") + c : std::string(1, c);
        return r + "'";
    }
};

} // namespace trevo::masterdata::test
