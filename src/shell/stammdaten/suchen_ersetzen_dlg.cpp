#include "shell/stammdaten/suchen_ersetzen_dlg.h"

#include "shell/stammdaten/anweisungen.h"
#include "common/catalogue/meldungstext.h"
#include "engine/database.h"
#include "engine/dataset/table_data_set.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/dialog_hilfen.h"
#include "common/dialogs/dialogs.h"
#include "shell/stammdaten/modal.h"
#include "shell/shell_services.h"
#include "engine/sql/sql.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

TSuchenErsetzenDlg::TSuchenErsetzenDlg(Datenzugang& zugang, QWidget* parent) : QDialog(parent), zugang_(zugang)
{
    setObjectName(QStringLiteral("SuchenErsetzenDlg"));
    setWindowTitle(QStringLiteral("Suchen"));
    setModal(true);

    FieldListBox1 = new QListWidget(this);
    FieldListBox1->setObjectName(QStringLiteral("FieldListBox1"));
    FieldListBox1->setFixedSize(240, 180);
    FromEdit = new QLineEdit(this);
    FromEdit->setObjectName(QStringLiteral("FromEdit"));
    FromEdit->setFixedWidth(240);
    NeuEdit = new QLineEdit(this);
    NeuEdit->setObjectName(QStringLiteral("NeuEdit"));
    NeuEdit->setFixedWidth(240);
    OKBtn = knopf(this, "OKBtn", QStringLiteral("OK"));
    OKBtn->setDefault(true);
    CancelBtn = knopf(this, "CancelBtn", QStringLiteral("Abbruch"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Suchen in"), this));
    layout->addWidget(FieldListBox1);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(QStringLiteral("Suchtext:"), this));
    layout->addWidget(FromEdit);
    layout->addWidget(new QLabel(QStringLiteral("ersetzen durch"), this));
    layout->addWidget(NeuEdit);
    layout->addSpacing(10);
    layout->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, &TSuchenErsetzenDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TSuchenErsetzenDlg::reject);
    festUndZentriert(*this);
}

void TSuchenErsetzenDlg::vorbereiten(const std::string& folder, const std::string& file)
{
    // Memo fields are offered too; the replacement text stays from the last use.
    if (!tabelle_.setzen(zugang_.datenbank(), folder, file, true)) return;
    FieldListBox1->clear();
    for (const engine::FieldDef& f : tabelle_.felder()) FieldListBox1->addItem(qs(f.name));
    if (FieldListBox1->count() > 0) FieldListBox1->setCurrentRow(0);
    FromEdit->clear();
}

const engine::FieldDef* TSuchenErsetzenDlg::gewaehltesFeld() const
{
    const int row = auswahl(*FieldListBox1);
    if (row < 0 || row >= static_cast<int>(tabelle_.felder().size())) return nullptr;
    return &tabelle_.felder()[static_cast<size_t>(row)];
}

int TSuchenErsetzenDlg::SuchenErsetzen(const std::string& folder, const std::string& file,
                                       shell::ShellServices* shell)
{
    vorbereiten(folder, file);
    if (zeigeModal(*this) != QDialog::Accepted) return 0;
    int replaced = 0;
    {
        // The please-wait indication goes off also when the command ends by an error.
        struct Waiting {
            shell::ShellServices* s;
            explicit Waiting(shell::ShellServices* shell) : s(shell)
            {
                if (s) s->BitteWarten(0);
            }
            ~Waiting()
            {
                if (s) s->BitteWarten(1);
            }
        } waiting(shell);
        replaced = ersetzen();
    }
    if (replaced < 0) {
        common::dialogs().message(qs(common::MeldungsText(2006)));
        return 0;
    }
    return replaced;
}

namespace {

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

} // namespace

int TSuchenErsetzenDlg::ersetzen()
{
    Datenzugang& data = zugang_;
    const engine::FieldDef* field = gewaehltesFeld();
    engine::sql::QueryResult hits;
    bool found = false;
    if (field) {
        try {
            const auto lines = suchAnweisung(tabelle_.pfad(), *field, ss(FromEdit->text()), Suchart::Irgendwo);
            hits = engine::sql::execute(data.datenbank(), data.session(), joined(lines), data.datenordner());
            found = !hits.rows.empty();
        } catch (const engine::EngineError&) {
            found = false; // a statement the store rejects counts as no result
        }
    }
    if (!found) return -1;
    engine::TableDataSet cursor(data.datenbank(), data.session(), tabelle_.pfad());
    cursor.open();
    cursor.setIndex("NUMMER");
    const std::string name = field->name;
    const std::string replacement = ss(NeuEdit->text());
    int replaced = 0;
    for (const engine::Record& row : hits.rows) {
        if (row.empty() || !cursor.findKey(row[0])) continue;
        cursor.edit();
        cursor.setText(name, replacement);
        cursor.post();
        ++replaced;
    }
    return replaced;
}

void TSuchenErsetzenDlg::OKBtnClick()
{
    if (FromEdit->text().isEmpty()) {
        common::dialogs().message(qs(common::MeldungsText(3000)));
        return;
    }
    accept();
}

void TSuchenErsetzenDlg::reject()
{
    FromEdit->clear();
    QDialog::reject();
}

void TSuchenErsetzenDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FromEdit->setFocus();
    FromEdit->selectAll();
}

} // namespace trevo::shell::stammdaten
