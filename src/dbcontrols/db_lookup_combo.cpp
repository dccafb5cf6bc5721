#include "dbcontrols/db_lookup_combo.h"

#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_check_box.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

namespace trevo::controls {

using Kind = engine::DataSetEvent::Kind;

DBLookupComboBox::DBLookupComboBox(QWidget* parent)
    : QComboBox(parent),
      link_({}, [this](const engine::DataSetEvent& e) {
          if (!quiet_ && link_.concerns(e)) showKey();
      }),
      list_([this](const engine::DataSetEvent& e) {
          if (e.kind == Kind::DataChanged || e.kind == Kind::LayoutChanged || e.kind == Kind::StateChanged)
              reloadList();
      })
{
    model_ = new QStandardItemModel(this);
    view_ = new QTreeView(this);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setAllColumnsShowFocus(true);
    view_->header()->setStretchLastSection(true);
    setModel(model_);
    setView(view_);
    setModelColumn(0);
    connect(this, &QComboBox::activated, this, [this](int row) { choose(row); });
}

void DBLookupComboBox::setDataField(const std::string& field)
{
    link_.setFieldName(field);
    showKey();
}

void DBLookupComboBox::setListFields(const std::string& keyField, const std::vector<std::string>& fields,
                                     const QStringList& titles)
{
    keyField_ = keyField;
    listFields_ = fields;
    titles_ = titles;
    reloadList();
}

void DBLookupComboBox::reloadList()
{
    const QuietGuard guard(quiet_);
    model_->clear();
    keys_.clear();
    engine::DataSet* ds = list_.dataSet();
    const int columns = int(listFields_.size());
    model_->setColumnCount(columns);
    std::vector<int> fields;
    for (int c = 0; c < columns; ++c) {
        const int f = ds && ds->active() ? ds->fieldIndex(listFields_[c]) : -1;
        fields.push_back(f);
        QString title = c < titles_.size() ? titles_[c] : QString();
        if (title.isEmpty() && f >= 0) title = toQString(ds->field(f).label);
        if (title.isEmpty()) title = toQString(listFields_[c]);
        model_->setHeaderData(c, Qt::Horizontal, title);
    }
    const int key = ds && ds->active() ? ds->fieldIndex(keyField_) : -1;
    if (key >= 0) {
        const size_t rows = ds->recordCount();
        for (size_t r = 0; r < rows; ++r) {
            QList<QStandardItem*> items;
            for (int c = 0; c < columns; ++c)
                items << new QStandardItem(fields[c] >= 0 ? toQString(ds->rowDisplayText(r, fields[c])) : QString());
            model_->appendRow(items);
            keys_.push_back(ds->rowValue(r, key));
        }
    }
    view_->header()->setVisible(columns > 1);
    for (int c = 0; c < columns; ++c) view_->resizeColumnToContents(c);
    showKey();
}

void DBLookupComboBox::showKey()
{
    const QuietGuard guard(quiet_);
    int row = -1;
    if (link_.hasRecord()) {
        const engine::Value v = link_.value();
        for (size_t i = 0; i < keys_.size() && row < 0; ++i)
            if (!v.isNull() && sameValue(keys_[i], v)) row = int(i);
    }
    setCurrentIndex(row);
}

void DBLookupComboBox::choose(int row)
{
    if (quiet_ || row < 0 || size_t(row) >= keys_.size()) return;
    const engine::Value key = keys_[size_t(row)];
    runGuarded([this, &key] {
        const QuietGuard guard(quiet_);
        link_.writeValue(key);
    });
    showKey();
}

} // namespace trevo::controls
