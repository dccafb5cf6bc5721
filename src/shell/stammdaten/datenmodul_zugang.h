#pragma once
// The data access over a data module: every question goes to the module that exists at
// the moment of the call. Who holds the module says where it is (datenmodul()); while
// there is none, each call ends in an EngineError "Die Datenbank ist nicht geöffnet".
#include "shell/stammdaten/datenzugang.h"

namespace trevo::data {
class TKeDataForm;
}

namespace trevo::shell::stammdaten {

class DatenmodulZugang : public Datenzugang {
public:
    engine::Session& session() override;
    std::string datenordner() const override;
    data::Datenquelle* datenquelle(std::string_view name) override;
    engine::TableDataSet* tabelle(std::string_view name) override;
    void MenueFreigebenTabelle(int fensterCode, const std::string& dataSetName) override;
    int AnzahlMitWert(const std::string& field, long number, const std::string& path) override;
    std::string FunktionsName(const std::string& number) override;
    data::TKeDataForm* aktuellesDatenmodul() override { return datenmodul(); }

protected:
    // The data module now; nullptr before start-up made it.
    virtual data::TKeDataForm* datenmodul() const = 0;

private:
    data::TKeDataForm& modul() const;
};

} // namespace trevo::shell::stammdaten
