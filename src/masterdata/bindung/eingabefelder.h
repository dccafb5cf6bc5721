#pragma once
// Entry controls bound to one field of a data set: a line edit, its grey read-only
// variant for running numbers, a multi-line memo, a check box whose third (greyed) state
// shows an empty field, and a choice list that offers the records of another data set
// in columns and stores the chosen record's key.
#include "masterdata/bindung/feld_bindung.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include <string>
#include <vector>

class QStandardItemModel;
class QTreeView;

namespace trevo::masterdata::bindung {

class Eingabefeld : public QLineEdit {
    Q_OBJECT
public:
    Eingabefeld(engine::DataSet* ds, std::string field, QWidget* parent);
    FeldBindung& bindung() { return *bindung_; }

    // Grey, read-only, skipped by Tab: a display such as the running number, which the
    // entry mode never enables.
    void alsAnzeige();
    bool istAnzeige() const { return anzeige_; }

private:
    void anzeigen();
    FeldBindung* bindung_;
    bool anzeige_ = false;
};

class Memofeld : public QPlainTextEdit {
    Q_OBJECT
public:
    Memofeld(engine::DataSet* ds, std::string field, QWidget* parent);
    FeldBindung& bindung() { return *bindung_; }

private:
    void anzeigen();
    FeldBindung* bindung_;
    bool showing_ = false;
};

class Kontrollkaestchen : public QCheckBox {
    Q_OBJECT
public:
    Kontrollkaestchen(engine::DataSet* ds, std::string field, const QString& text, QWidget* parent);
    FeldBindung& bindung() { return *bindung_; }

private:
    void anzeigen();
    FeldBindung* bindung_;
};

class Auswahlfeld : public QComboBox {
    Q_OBJECT
public:
    // The list shows listFields of the records of source (titled with titles); choosing a
    // row stores its keyField in the bound field; the closed list shows the stored value.
    Auswahlfeld(engine::DataSet* ds, std::string field, engine::DataSet* source, std::string keyField,
                std::vector<std::string> listFields, QStringList titles, QWidget* parent);
    FeldBindung& bindung() { return *bindung_; }

    void setSource(engine::DataSet* source);
    // Fills the list from the source's records (done each time it drops down).
    void listeLaden();
    // The key of a list row; NULL for the empty first row.
    engine::Value schluessel(int row) const;

    void showPopup() override;

private:
    void anzeigen();
    void gewaehlt(int row);

    FeldBindung* bindung_;
    engine::DataSet* source_ = nullptr;
    engine::Subscription sourceWatch_;
    std::string keyField_;
    std::vector<std::string> listFields_;
    QStandardItemModel* model_;
    QTreeView* view_;
    std::vector<engine::Value> keys_;
};

} // namespace trevo::masterdata::bindung
