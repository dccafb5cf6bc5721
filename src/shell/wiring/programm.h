#pragma once
// The running program's shared objects: the database, the program options, the path
// variables, the database tools and the data module, plugged into start-up, the options
// window and the end of the program. The program's composition hands it to the window
// layers that need it; there is no global access.
#include "shell/startup_seams.h"

#include "engine/database.h"
#include "data/dbtools/db_tools.h"
#include "data/module/data_module_host.h"
#include "data/module/ke_data_form.h"
#include "common/options/programmoptionen.h"
#include "common/options/programmpfade.h"

#include <memory>

namespace trevo::shell {

class MainForm1;
class Startup;
struct ProgramPaths;

class Programm : public OptionsSeam, public DataModuleSeam, public data::DataModuleHost {
public:
    Programm(MainForm1& main, ProgramPaths& paths, engine::FileSystem& fs = engine::realFileSystem());
    ~Programm() override;
    Programm(const Programm&) = delete;
    Programm& operator=(const Programm&) = delete;

    engine::Database& datenbank() { return db_; }
    common::TProgrammoptionen& optionen() { return optionen_; }
    common::Programmpfade& pfade() { return pfade_; }
    // Exist once start-up created them.
    data::TKeDataForm* datenmodul() { return module_.get(); }
    data::TDBTools* dbTools() { return tools_.get(); }

    void setStartup(Startup* startup) { startup_ = startup; }
    // Whether the data module asked to end the program at once.
    bool endRequested() const { return endRequested_; }

    // OptionsSeam
    void setDefaults() override;
    void load(const QString& configFile) override;
    void save(const QString& configFile) override;
    SetupValues setupValues() const override;
    void setSetupValues(const SetupValues& values) override;
    bool showGuideAtStart() const override;
    int currentPriceList() const override;

    // DataModuleSeam
    void createTools() override;
    bool create(ProgramPaths& paths) override;
    void reopenTables(const QString& dataFolder) override;
    void positionPriceList(int number) override;

    // DataModuleHost
    bool startfensterSichtbar() override;
    void startfensterZeigen(bool sichtbar) override;
    bool fensterVorhanden(int fensterCode) override;
    void tabelleGefuellt(int fensterCode, bool hatDatensaetze) override;
    void programmBeenden() override;

private:
    void syncPaths(const ProgramPaths& paths);

    MainForm1& main_;
    ProgramPaths& paths_;
    engine::Database db_;
    common::TProgrammoptionen optionen_;
    common::Programmpfade pfade_;
    std::unique_ptr<data::TDBTools> tools_;
    std::unique_ptr<data::TKeDataForm> module_;
    Startup* startup_ = nullptr;
    bool endRequested_ = false;
    bool running_ = false;
};

} // namespace trevo::shell
