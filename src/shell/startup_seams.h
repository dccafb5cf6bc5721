#pragma once
// What start-up, the options window and the end of the program need from the program
// options and the data module. The real options object and data module plug in here;
// until then the shell runs with the defaults (DefaultOptions) and no tables.
#include <QString>

namespace trevo::shell {

struct ProgramPaths;

// The options the options window shows and changes.
struct SetupValues {
    bool runden = true;                 // "Beträge runden auf 10 Pfennig/Cent"
    bool aufrunden = true;              // "Durchschnitt immer aufrunden"
    bool mittelwerteFehlende = true;    // "Durchschnitt für fehlende Mitglieder"
    double beitrag = 0;                 // contribution per evening
    int zahlweise = 1;                  // 1 pro Kegeltermin, 2 monatlich, 3 jährlich
    QString datenordner;                // stored data folder, empty = program folder
};

class OptionsSeam {
public:
    virtual ~OptionsSeam() = default;
    // Every option to its default.
    virtual void setDefaults() = 0;
    // Reads the stored options from the existing file KEGELCFG.DB; a file that cannot be
    // opened leaves the defaults silently; a damaged record throws (shown at start-up).
    virtual void load(const QString& configFile) = 0;
    // Writes the stored options into the existing file KEGELCFG.DB.
    virtual void save(const QString& configFile) = 0;

    virtual SetupValues setupValues() const = 0;
    virtual void setSetupValues(const SetupValues& values) = 0;
    virtual bool showGuideAtStart() const = 0;
    virtual int currentPriceList() const = 0;
};

class DataModuleSeam {
public:
    virtual ~DataModuleSeam() = default;
    // Creates the database tools module, the first start step; create() makes it when it
    // does not exist by then.
    virtual void createTools() {}
    // Creates the data module: checks the data folder (may ask for another one, then
    // changes paths.dataFolder and the option Datenordner) and opens every table.
    // Returns false when the user chose to end the program.
    virtual bool create(ProgramPaths& paths) = 0;
    // Closes all tables and opens them again in the folder.
    virtual void reopenTables(const QString& dataFolder) = 0;
    // Positions the price lists on the current price list.
    virtual void positionPriceList(int number) = 0;
};

// The options held in memory with their defaults, for as long as no options object is
// plugged in. Loading and saving keep nothing.
class DefaultOptions : public OptionsSeam {
public:
    void setDefaults() override { values_ = {}; showGuide_ = true; priceList_ = 1; }
    void load(const QString&) override {}
    void save(const QString&) override {}
    SetupValues setupValues() const override { return values_; }
    void setSetupValues(const SetupValues& values) override { values_ = values; }
    bool showGuideAtStart() const override { return showGuide_; }
    int currentPriceList() const override { return priceList_; }

    void setShowGuideAtStart(bool on) { showGuide_ = on; }

private:
    SetupValues values_;
    bool showGuide_ = true;
    int priceList_ = 1;
};

} // namespace trevo::shell
