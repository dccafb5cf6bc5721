#include "masterdata/bindung/eingabefelder.h"

#include "dbcontrols/command_guard.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

namespace trevo::masterdata::bindung {

namespace {
QString qs(const std::string& s) { return QString::fromStdString(s); }
} // namespace

// ---- Eingabefeld ----

Eingabefeld::Eingabefeld(engine::DataSet* ds, std::string field, QWidget* parent)
    : QLineEdit(parent), bindung_(new FeldBindung(this, ds, std::move(field)))
{
    connect(bindung_, &FeldBindung::anzeigen, this, &Eingabefeld::anzeigen);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& t) { controls::runGuarded([&] { bindung_->setPending(t.toStdString()); }); });
    connect(this, &QLineEdit::editingFinished, this, [this] {
        if (bindung_->pending()) controls::runGuarded([this] { bindung_->uebernehmen(); });
    });
    anzeigen();
}

void Eingabefeld::alsAnzeige()
{
    anzeige_ = true;
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    QPalette p = palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    setPalette(p);
}

void Eingabefeld::anzeigen()
{
    const int f = bindung_->fieldIndex();
    if (f >= 0 && bindung_->dataSet()->field(f).def.type == 'C')
        setMaxLength(std::max<int>(1, bindung_->dataSet()->field(f).def.length));
    const QString t = qs(bindung_->text());
    if (t != text()) {
        setText(t);
        setCursorPosition(0);
    }
}

// ---- Memofeld ----

Memofeld::Memofeld(engine::DataSet* ds, std::string field, QWidget* parent)
    : QPlainTextEdit(parent), bindung_(new FeldBindung(this, ds, std::move(field)))
{
    setTabChangesFocus(true);
    connect(bindung_, &FeldBindung::anzeigen, this, &Memofeld::anzeigen);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (showing_) return;
        controls::runGuarded([this] { bindung_->setPending(toPlainText().toStdString()); });
    });
    anzeigen();
}

void Memofeld::anzeigen()
{
    const QString t = qs(bindung_->text());
    if (t == toPlainText()) return;
    showing_ = true;
    setPlainText(t);
    showing_ = false;
}

// ---- Kontrollkaestchen ----

Kontrollkaestchen::Kontrollkaestchen(engine::DataSet* ds, std::string field, const QString& text, QWidget* parent)
    : QCheckBox(text, parent), bindung_(new FeldBindung(this, ds, std::move(field)))
{
    connect(bindung_, &FeldBindung::anzeigen, this, &Kontrollkaestchen::anzeigen);
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        controls::runGuarded([&] { bindung_->write(engine::Value::logical(checked)); });
    });
    anzeigen();
}

void Kontrollkaestchen::anzeigen()
{
    const engine::Value v = bindung_->value();
    if (v.isNull()) {
        setTristate(true);
        setCheckState(Qt::PartiallyChecked);
        return;
    }
    setTristate(false);
    setCheckState(v.toBool() ? Qt::Checked : Qt::Unchecked);
}

// ---- Auswahlfeld ----

Auswahlfeld::Auswahlfeld(engine::DataSet* ds, std::string field, engine::DataSet* source, std::string keyField,
                         std::vector<std::string> listFields, QStringList titles, QWidget* parent)
    : QComboBox(parent), bindung_(new FeldBindung(this, ds, std::move(field))), keyField_(std::move(keyField)), listFields_(std::move(listFields)),
      model_(new QStandardItemModel(0, static_cast<int>(listFields_.size()), this)), view_(new QTreeView(this))
{
    setSource(source);
    setEditable(true);
    lineEdit()->setReadOnly(true);
    model_->setHorizontalHeaderLabels(titles);
    view_->setRootIsDecorated(false);
    view_->setAllColumnsShowFocus(true);
    view_->setUniformRowHeights(true);
    view_->header()->setStretchLastSection(true);
    view_->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); }"));
    setModel(model_);
    setView(view_);
    view_->setMinimumWidth(250);
    connect(bindung_, &FeldBindung::anzeigen, this, &Auswahlfeld::anzeigen);
    connect(this, qOverload<int>(&QComboBox::activated), this, &Auswahlfeld::gewaehlt);
    anzeigen();
}

void Auswahlfeld::setSource(engine::DataSet* source)
{
    sourceWatch_.reset();
    source_ = source;
    if (source_)
        sourceWatch_ = source_->subscribe([this](const engine::DataSetEvent& e) {
            if (e.kind != engine::DataSetEvent::Kind::Destroyed) return;
            source_ = nullptr;
            sourceWatch_.reset();
        });
}

void Auswahlfeld::listeLaden()
{
    model_->removeRows(0, model_->rowCount());
    keys_.clear();
    keys_.push_back(engine::Value());
    QList<QStandardItem*> blank;
    for (size_t c = 0; c < listFields_.size(); ++c) blank << new QStandardItem();
    model_->appendRow(blank);
    if (!source_ || !source_->active()) return;
    const int key = source_->fieldIndex(keyField_);
    std::vector<int> columns;
    for (const std::string& f : listFields_) columns.push_back(source_->fieldIndex(f));
    const size_t rows = source_->recordCount();
    for (size_t r = 0; r < rows; ++r) {
        QList<QStandardItem*> items;
        for (int c : columns) items << new QStandardItem(c < 0 ? QString() : qs(source_->rowDisplayText(r, c)));
        model_->appendRow(items);
        keys_.push_back(key < 0 ? engine::Value() : source_->rowValue(r, key));
    }
}

engine::Value Auswahlfeld::schluessel(int row) const
{
    if (row < 0 || row >= static_cast<int>(keys_.size())) return {};
    return keys_[static_cast<size_t>(row)];
}

void Auswahlfeld::showPopup()
{
    listeLaden();
    for (int c = 0; c < model_->columnCount(); ++c) view_->resizeColumnToContents(c);
    QComboBox::showPopup();
}

void Auswahlfeld::gewaehlt(int row)
{
    controls::runGuarded([&] { bindung_->write(schluessel(row)); });
    anzeigen();
}

void Auswahlfeld::anzeigen()
{
    const QString t = qs(bindung_->text());
    if (lineEdit()->text() != t) lineEdit()->setText(t);
}

} // namespace trevo::masterdata::bindung
