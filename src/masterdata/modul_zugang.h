#pragma once
// The data access of the master-data windows over the program's data module.
#include "masterdata/datenzugang.h"

namespace trevo::data {
class TKeDataForm;
}

namespace trevo::masterdata {

class ModulZugang : public Datenzugang {
public:
    ModulZugang(engine::Database& db, data::TKeDataForm& module) : db_(db), module_(module) {}

    engine::Database& datenbank() override { return db_; }
    engine::Session& session() override;
    std::string datenordner() const override;
    engine::TableDataSet* tabelle(std::string_view name) override;
    long anzahlDatensaetze(std::string_view dataSetName) override;
    int AnzahlMitWert(const std::string& field, long number, const std::string& path) override;
    std::string FunktionsName(const std::string& number) override;

private:
    engine::Database& db_;
    data::TKeDataForm& module_;
};

} // namespace trevo::masterdata
