#pragma once
// A choice list bound to a field: it offers the records of another data set (the list
// source) in several columns with titles and stores the key of the chosen record in the
// field. The closed box shows the first list column of the record whose key the field
// holds; a key that no record of the list has (its record was deleted) shows as stored.
// With an empty choice the list starts with an empty row, which empties the field.
// The box cannot be typed into; its line edit only shows.
#include "dbcontrols/data_link.h"

#include <QComboBox>
#include <QStringList>

#include <string>
#include <vector>

class QStandardItemModel;
class QTreeView;

namespace trevo::controls {

class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    FieldLink& link() { return link_; }
    void setDataSet(engine::DataSet* ds) { link_.setDataSet(ds); }
    void setSource(data::Datenquelle* source) { link_.setSource(source); }
    void setDataField(const std::string& field);

    void setListDataSet(engine::DataSet* ds) { list_.setDataSet(ds); }
    void setListSource(data::Datenquelle* source) { list_.setSource(source); }
    // The key field of the list and the fields shown, with their column titles (empty
    // titles: the fields' labels).
    void setListFields(const std::string& keyField, const std::vector<std::string>& fields,
                       const QStringList& titles = {});
    // An empty first row whose choice empties the field.
    void setEmptyChoice(bool on);

    // The row of the list whose key the field holds, -1 for none.
    int keyRow() const { return currentIndex(); }
    // Rows of the list, the empty choice included.
    size_t listCount() const { return keys_.size(); }
    // Chooses the row of the list as the user does: its key goes into the field.
    void choose(int row);

    QTreeView* listView() const { return view_; }
    // The list is at least as wide as its columns.
    void showPopup() override;

private:
    void reloadList();
    void showKey();
    int rowOfKey(const engine::Value& v) const;

    FieldLink link_;
    DataLink list_;
    std::string keyField_;
    std::vector<std::string> listFields_;
    QStringList titles_;
    bool emptyChoice_ = false;
    std::vector<engine::Value> keys_;
    QStandardItemModel* model_ = nullptr;
    QTreeView* view_ = nullptr;
    bool quiet_ = false;
};

} // namespace trevo::controls
