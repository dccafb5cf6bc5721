#pragma once
// A shell that records what the windows ask of it.
#include "shell/shell_services.h"

#include <QStringList>

#include <map>
#include <vector>

namespace trevo::test {

class FakeShell : public shell::ShellServices {
public:
    void FensterAktivieren(int code) override { activated.push_back(code); }
    void FensterZurueck() override { ++back; }
    void BitteWarten(int mode) override { waits.push_back(mode); }
    void FilterAnzeige(bool on) override { filter.push_back(on); }
    void setStatusText(int panel, const QString& text) override
    {
        status[panel] = text;
        statusLog << QString::number(panel) + ":" + text;
    }
    QString DatumWaehlen() override { return {}; }
    void LotseZeigen() override { ++guide; }
    void Hilfe(const QString&, int) override {}
    void ProgrammBeenden() override {}
    shell::ChildWindow* Fensterobjekt(int) override { return nullptr; }

    std::vector<int> activated, waits;
    std::vector<bool> filter;
    std::map<int, QString> status;
    QStringList statusLog;
    int back = 0, guide = 0;
};

} // namespace trevo::test
