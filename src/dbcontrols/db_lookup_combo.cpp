#include "dbcontrols/db_lookup_combo.h"

#include "dbcontrols/command_guard.h"
#include "dbcontrols/db_check_box.h"
#include "dbcontrols/deferred_error.h"

#include <QHeaderView>
#include <QLineEdit>
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
    view_->setUniformRowHeights(true);
    view_->header()->setStretchLastSection(true);
    view_->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); }"));
    setModel(model_);
    setView(view_);
    setModelColumn(0);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
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

void DBLookupComboBox::setEmptyChoice(bool on)
{
    emptyChoice_ = on;
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
    auto addRow = [&](QList<QStandardItem*> items, engine::Value key) {
        model_->appendRow(items);
        keys_.push_back(std::move(key));
    };
    if (emptyChoice_) {
        QList<QStandardItem*> blank;
        for (int c = 0; c < columns; ++c) blank << new QStandardItem();
        addRow(blank, engine::Value());
    }
    const int key = ds && ds->active() ? ds->fieldIndex(keyField_) : -1;
    // A list that cannot be read to its end (a failing calculation) offers what was read.
    if (key >= 0)
        catchAndReportLater([&] {
            const size_t rows = ds->recordCount();
            for (size_t r = 0; r < rows; ++r) {
                std::vector<QString> texts;
                for (int c = 0; c < columns; ++c)
                    texts.push_back(fields[c] >= 0 ? toQString(ds->rowDisplayText(r, fields[c])) : QString());
                engine::Value rowKey = ds->rowValue(r, key);
                QList<QStandardItem*> items;
                for (const QString& t : texts) items << new QStandardItem(t);
                addRow(items, std::move(rowKey));
            }
        });
    view_->header()->setVisible(columns > 1);
    for (int c = 0; c < columns; ++c) view_->resizeColumnToContents(c);
    showKey();
}

int DBLookupComboBox::rowOfKey(const engine::Value& v) const
{
    for (size_t i = 0; i < keys_.size(); ++i)
        if (sameValue(keys_[i], v)) return int(i);
    return -1;
}

void DBLookupComboBox::showKey()
{
    const QuietGuard guard(quiet_);
    const engine::Value v = link_.hasRecord() ? link_.value() : engine::Value();
    const int row = v.isNull() && !emptyChoice_ ? -1 : rowOfKey(v);
    setCurrentIndex(row);
    if (row < 0) setEditText(v.isNull() ? QString() : toQString(link_.displayText()));
}

void DBLookupComboBox::choose(int row)
{
    if (quiet_ || row < 0 || size_t(row) >= keys_.size()) return;
    const engine::Value key = keys_[size_t(row)];
    runGuarded([this, &key] {
        // The choice the field holds already leaves the record as it is.
        if (!link_.hasRecord() || !sameValue(link_.value(), key)) {
            const QuietGuard guard(quiet_);
            link_.writeValue(key);
        }
    });
    runGuarded([this] { showKey(); });
}

void DBLookupComboBox::showPopup()
{
    int width = 0;
    for (int c = 0; c < model_->columnCount(); ++c) {
        view_->resizeColumnToContents(c);
        width += view_->columnWidth(c);
    }
    view_->setMinimumWidth(width + 2 * view_->frameWidth() + 4);
    QComboBox::showPopup();
}

} // namespace trevo::controls
