#include "shell/setup_form.h"

#include "dbcontrols/command_guard.h"
#include "common/dialogs/dialogs.h"
#include "dbcontrols/folder_dialog.h"
#include "shell/program_paths.h"
#include "shell/shell_services.h"
#include "shell/startup_seams.h"

#include "engine/core/error.h"
#include "engine/core/value.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::shell {

namespace {

QGroupBox* frame(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    return box;
}

} // namespace

QString Setupform::formatBeitrag(double amount)
{
    QString text = QString::asprintf("%-8.2f", amount);
    return text.replace('.', QLocale().decimalPoint());
}

Setupform::Setupform(ShellServices& shell, OptionsSeam& options, ProgramPaths& paths, DataModuleSeam* data,
                     QWidget* parent)
    : ChildWindow(shell, parent), options_(options), paths_(paths), data_(data)
{
    setObjectName(QStringLiteral("Setupform"));
    setWindowTitle(QStringLiteral("Optionen"));

    auto* pages = new QTabWidget(this);
    auto* page = new QWidget;
    pages->addTab(page, QStringLiteral("Optionen"));

    QGroupBox* evaluation = frame(QStringLiteral("Auswertung"), page);
    RundenCheckBox1 = new QCheckBox(QStringLiteral("Beträge runden auf 10 Pfennig/Cent"), evaluation);
    AufrundenCheckBox1 = new QCheckBox(QStringLiteral("Durchschnitt immer aufrunden"), evaluation);
    MittelwertefuerFehlendeMitgliederCheckBox1 =
        new QCheckBox(QStringLiteral("Durchschnitt für fehlende Mitglieder"), evaluation);
    auto* evaluationLayout = new QVBoxLayout(evaluation);
    evaluationLayout->addWidget(RundenCheckBox1);
    evaluationLayout->addWidget(AufrundenCheckBox1);
    evaluationLayout->addWidget(MittelwertefuerFehlendeMitgliederCheckBox1);

    QGroupBox* contribution = frame(QStringLiteral("Beitrag"), page);
    BeitragEdit = new QLineEdit(contribution);
    BeitragEdit->setMaximumWidth(120);
    auto* mode = new QGroupBox(QStringLiteral("Zahlweise"), contribution);
    auto* modeLayout = new QHBoxLayout(mode);
    const QString modes[3] = {QStringLiteral("pro Kegeltermin"), QStringLiteral("monatlich"),
                              QStringLiteral("jährlich")};
    for (int i = 0; i < 3; ++i) {
        Zahlweise[i] = new QRadioButton(modes[i], mode);
        modeLayout->addWidget(Zahlweise[i]);
    }
    auto* contributionLayout = new QGridLayout(contribution);
    contributionLayout->addWidget(new QLabel(QStringLiteral("&Beitrag"), contribution), 0, 0);
    contributionLayout->addWidget(BeitragEdit, 0, 1, Qt::AlignLeft);
    contributionLayout->addWidget(mode, 1, 0, 1, 3);
    contributionLayout->setColumnStretch(2, 1);
    qobject_cast<QLabel*>(contributionLayout->itemAtPosition(0, 0)->widget())->setBuddy(BeitragEdit);

    QGroupBox* storage = frame(QStringLiteral("Datenspeicherung"), page);
    SuchpfadEdit = new QLineEdit(storage);
    auto* browse = new QToolButton(storage);
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(QStringLiteral("Ordner auswählen"));
    auto* storageLayout = new QGridLayout(storage);
    auto* pathLabel = new QLabel(QStringLiteral("&Suchpfad der Datenbank"), storage);
    pathLabel->setBuddy(SuchpfadEdit);
    storageLayout->addWidget(pathLabel, 0, 0, 1, 2);
    storageLayout->addWidget(SuchpfadEdit, 1, 0);
    storageLayout->addWidget(browse, 1, 1);

    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(evaluation);
    pageLayout->addWidget(contribution);
    pageLayout->addWidget(storage);
    pageLayout->addStretch();

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* panel = new QWidget(this);
    panel->setMaximumWidth(620);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(pages);
    panelLayout->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel, 0, Qt::AlignTop | Qt::AlignLeft);
    layout->addStretch();

    connect(OKBtn, &QPushButton::clicked, this, controls::guarded([this] { OKBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this, controls::guarded([this] { CancelBtnClick(); }));
    connect(browse, &QToolButton::clicked, this, controls::guarded([this] { chooseFolder(); }));
    fill();
}

void Setupform::fill()
{
    const SetupValues v = options_.setupValues();
    RundenCheckBox1->setChecked(v.runden);
    AufrundenCheckBox1->setChecked(v.aufrunden);
    MittelwertefuerFehlendeMitgliederCheckBox1->setChecked(v.mittelwerteFehlende);
    SuchpfadEdit->setText(v.datenordner);
    BeitragEdit->setText(formatBeitrag(v.beitrag));
    const int index = v.zahlweise - 1;
    for (int i = 0; i < 3; ++i) Zahlweise[i]->setChecked(i == index);
}

int Setupform::selectedZahlweise() const
{
    for (int i = 0; i < 3; ++i)
        if (Zahlweise[i]->isChecked()) return i;
    return -1;
}

void Setupform::OKBtnClick()
{
    SetupValues v = options_.setupValues();
    v.runden = RundenCheckBox1->isChecked();
    v.aufrunden = AufrundenCheckBox1->isChecked();
    v.mittelwerteFehlende = MittelwertefuerFehlendeMitgliederCheckBox1->isChecked();
    options_.setSetupValues(v);

    const QString amount = BeitragEdit->text();
    const auto beitrag = engine::parseNumber(amount.toStdString());
    if (!beitrag)
        throw engine::ValueError("'" + amount.trimmed().toStdString() + "' ist kein gültiger Gleitkommawert");
    v.beitrag = *beitrag;
    v.zahlweise = selectedZahlweise() + 1;

    SuchpfadEdit->setText(controls::withTrailingSlash(SuchpfadEdit->text()));
    const QString oldFolder = v.datenordner;
    v.datenordner = SuchpfadEdit->text();
    options_.setSetupValues(v);

    if (oldFolder != v.datenordner) {
        // An empty folder means the program folder, at once and at the next start.
        paths_.dataFolder = v.datenordner.isEmpty() ? paths_.programFolder : v.datenordner;
        if (data_) data_->reopenTables(paths_.dataFolder);
    }
    shell().FensterZurueck();
}

void Setupform::CancelBtnClick()
{
    shell().FensterZurueck();
}

void Setupform::chooseFolder()
{
    const QString preset = SuchpfadEdit->text().isEmpty() ? paths_.dataFolder : SuchpfadEdit->text();
    if (const auto folder = common::dialogs().chooseFolder(preset)) SuchpfadEdit->setText(*folder);
}

} // namespace trevo::shell
