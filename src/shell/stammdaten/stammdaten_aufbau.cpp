// The master-data window's layout: toolbars with navigator and quick search, the grid,
// the entry panel with its buttons, and the two sets of menus.
#include "shell/stammdaten/stammdaten_form.h"

#include "dbcontrols/db_edit.h"
#include "dbcontrols/db_grid.h"
#include "dbcontrols/db_navigator.h"
#include "shell/stammdaten/datenzugang.h"
#include "shell/stammdaten/symbole.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace trevo::shell::stammdaten {

QToolButton* TStammdatenForm::werkzeugknopf(QToolBar* bar, const char* name, const QString& hint, int icon,
                                            void (TStammdatenForm::*handler)())
{
    auto* b = new QToolButton(bar);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(symbol(static_cast<Symbol>(icon)));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    bar->addWidget(b);
    connect(b, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    return b;
}

void TStammdatenForm::werkzeugleistenBauen(QVBoxLayout* panel)
{
    ToolBar1 = new QWidget(GitterPanel);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    auto* row = new QHBoxLayout(ToolBar1);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(8);
    befehlsleisteBauen();
    row->addWidget(ToolBar3);
    navigatorleisteBauen();
    row->addWidget(ToolBar2);
    schnellsuchleisteBauen();
    row->addWidget(Schnellsuchtoolbar);
    row->addStretch();
    panel->addWidget(ToolBar1);
}

void TStammdatenForm::befehlsleisteBauen()
{
    ToolBar3 = new QToolBar(ToolBar1);
    ToolBar3->setObjectName(QStringLiteral("ToolBar3"));
    ToolBar3->setIconSize(QSize(20, 20));
    ToolButton5 = werkzeugknopf(ToolBar3, "ToolButton5", QStringLiteral("Zurück"), int(Symbol::Zurueck),
                                &TStammdatenForm::CloseBtnClick);
    ToolButton10 = werkzeugknopf(ToolBar3, "ToolButton10", QStringLiteral("Neuer Datensatz"), int(Symbol::Neu),
                                 &TStammdatenForm::Neueingabe1Click);
    ToolButton11 = werkzeugknopf(ToolBar3, "ToolButton11", QStringLiteral("Daten ändern"),
                                 int(Symbol::Aendern), &TStammdatenForm::ndern1Click);
    ToolBar3->addSeparator();
    ToolButton13 = werkzeugknopf(ToolBar3, "ToolButton13", QStringLiteral("Sortierung"), int(Symbol::Sortieren),
                                 &TStammdatenForm::Sortierung1Click);
    BereichToolButton = werkzeugknopf(ToolBar3, "BereichToolButton", einstellungen_.rangeHint,
                                      int(Symbol::Bereich), &TStammdatenForm::Bereich1Click);
    ToolButton14 = werkzeugknopf(ToolBar3, "ToolButton14", QStringLiteral("Suchen"),
                                 int(Symbol::Suchen), &TStammdatenForm::Suchen1Click);
    if (einstellungen_.searchNext)
        ToolButton1 = werkzeugknopf(ToolBar3, "ToolButton1", QStringLiteral("Weitersuchen"), int(Symbol::Weitersuchen),
                                    &TStammdatenForm::ToolButton1Click);
    ToolBar3->addSeparator();
    ToolButton4 = werkzeugknopf(ToolBar3, "ToolButton4", QStringLiteral("Lotse"), int(Symbol::Lotse),
                                &TStammdatenForm::ToolButton4Click);
}

void TStammdatenForm::navigatorleisteBauen()
{
    ToolBar2 = new QToolBar(ToolBar1);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    DBNavigator2 = new controls::DBNavigator(ToolBar2);
    DBNavigator2->setObjectName(QStringLiteral("DBNavigator2"));
    DBNavigator2->setSource(quelle_);
    ToolBar2->addWidget(DBNavigator2);
    ToolBar2->addSeparator();
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Schließen"),
                              ToolBar2);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    ToolBar2->addWidget(BitBtn2);
    connect(BitBtn2, &QPushButton::clicked, this, &TStammdatenForm::CloseBtnClick);
}

void TStammdatenForm::schnellsuchleisteBauen()
{
    Schnellsuchtoolbar = new QToolBar(ToolBar1);
    Schnellsuchtoolbar->setObjectName(QStringLiteral("Schnellsuchtoolbar"));
    Schnellsuchlabel = new QLabel(einstellungen_.quickSearchLabel, Schnellsuchtoolbar);
    Schnellsuchlabel->setObjectName(QStringLiteral("Schnellsuchlabel"));
    Schnellsuchtoolbar->addWidget(Schnellsuchlabel);
    SchnellsuchEdit1 = new QLineEdit(Schnellsuchtoolbar);
    SchnellsuchEdit1->setObjectName(QStringLiteral("SchnellsuchEdit1"));
    SchnellsuchEdit1->setFixedWidth(150);
    Schnellsuchtoolbar->addWidget(SchnellsuchEdit1);
    connect(SchnellsuchEdit1, &QLineEdit::textChanged, this, &TStammdatenForm::SchnellsuchEdit1Change);
}

void TStammdatenForm::eingabepanelBauen()
{
    EingabePanel1 = new QWidget(GitterPanel);
    EingabePanel1->setObjectName(QStringLiteral("EingabePanel1"));
    EingabePanel1->setFixedHeight(einstellungen_.entryPanelHeight);
    EingabePanel1->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(EingabePanel1);
    row->setContentsMargins(8, 8, 8, 8);
    eingabeflaeche_ = new QWidget(EingabePanel1);
    eingabeflaeche_->setObjectName(QStringLiteral("Eingabeflaeche"));
    row->addWidget(eingabeflaeche_);
    row->addStretch(1);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& text, const QIcon& icon) {
        auto* b = new QPushButton(icon, text, EingabePanel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(150);
        buttons->addWidget(b);
        return b;
    };
    EingabebeendenBitBtn1 = button("EingabebeendenBitBtn1", QStringLiteral("Eingabe beenden"),
                                   style()->standardIcon(QStyle::SP_DialogApplyButton));
    DatensatzeinfuegenBitBtn1 = button("DatensatzeinfuegenBitBtn1", einstellungen_.insertButtonText,
                                       symbol(Symbol::Neu));
    EingabeAbbruchBitBtn1 = button("EingabeAbbruchBitBtn1", QStringLiteral("Abbruch"),
                                   style()->standardIcon(QStyle::SP_DialogCancelButton));
    buttons->addStretch();
    row->addLayout(buttons);
    connect(EingabebeendenBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::OKBtnClick);
    connect(DatensatzeinfuegenBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::NeuerSatzButtonClick);
    connect(EingabeAbbruchBitBtn1, &QPushButton::clicked, this, &TStammdatenForm::CancelBtnClick);
}

void TStammdatenForm::feldzeilen(const std::vector<Feldzeile>& zeilen)
{
    auto* gitter = new QGridLayout(eingabeflaeche_);
    gitter->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const Feldzeile& z : zeilen) {
        auto* titel = new QLabel(z.titel, eingabeflaeche_);
        const auto* anzeige = qobject_cast<const controls::DBEdit*>(z.feld);
        if (z.partner)
            titel->setBuddy(z.partner);
        else if (!anzeige || !anzeige->displayOnly())
            titel->setBuddy(z.feld);
        const bool memo = qobject_cast<const controls::DBMemo*>(z.feld) != nullptr;
        gitter->addWidget(titel, row, 0, memo ? Qt::AlignTop : Qt::Alignment());
        gitter->addWidget(z.feld, row, 1, Qt::AlignLeft);
        ++row;
    }
    gitter->setColumnStretch(2, 1);
    gitter->setRowStretch(row, 1);
}

void TStammdatenForm::menuesBauen()
{
    auto action = [this](QMenu* menu, const char* name, const QString& text, void (TStammdatenForm::*handler)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    auto menu = [this](const char* name, const QString& title) {
        auto* m = new QMenu(title, this);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    Eingabe1 = menu("Eingabe1", QStringLiteral("&Eingabe"));
    Neueingabe1 = action(Eingabe1, "Neueingabe1", QStringLiteral("&Neueingabe"), &TStammdatenForm::Neueingabe1Click);
    Kopierenundndern1 = action(Eingabe1, "Kopierenundndern1", QStringLiteral("&Kopieren und Ändern"),
                               &TStammdatenForm::Kopierenundndern1Click);
    ndern1 = action(Eingabe1, "ndern1", QStringLiteral("&Ändern"), &TStammdatenForm::ndern1Click);
    if (einstellungen_.importItem) {
        Eingabe1->addSeparator();
        // Off until the window connects its import to it.
        Importieren1 = Eingabe1->addAction(QStringLiteral("&Importieren"));
        Importieren1->setObjectName(QStringLiteral("Importieren1"));
        Importieren1->setEnabled(false);
    }
    Bearbeiten1 = menu("Bearbeiten1", QStringLiteral("&Bearbeiten"));
    Lschen2 = action(Bearbeiten1, "Lschen2", QStringLiteral("&Löschen"), &TStammdatenForm::Lschen2Click);
    Ansicht1 = menu("Ansicht1", QStringLiteral("&Ansicht"));
    Sortierung1 = action(Ansicht1, "Sortierung1", QStringLiteral("&Sortierung"), &TStammdatenForm::Sortierung1Click);
    Bereich1 = action(Ansicht1, "Bereich1", QStringLiteral("&Bereich"), &TStammdatenForm::Bereich1Click);
    // "Suchen" is a command of the menu bar itself: opening the empty menu runs it.
    Suchen1 = menu("SUCHEN1", QStringLiteral("S&uchen"));
    connect(Suchen1, &QMenu::aboutToShow, this, [this] {
        QTimer::singleShot(0, this, [this] {
            Suchen1->hide();
            Suchen1Click();
        });
    });
    Drucken1 = menu("DRUCKEN1", QStringLiteral("&Drucken"));
    Liste1 = action(Drucken1, "Liste1", QStringLiteral("Liste"), &TStammdatenForm::Liste1Click);
    Liste1->setEnabled(zugang_.druckenMoeglich());
    MainMenu1 = {Eingabe1, Bearbeiten1, Ansicht1, Suchen1, Drucken1};

    Eingabe2 = menu("Eingabe2", QStringLiteral("&Eingabe"));
    Neueingabe2 = action(Eingabe2, "Neueingabe2", QStringLiteral("&Neueingabe"), &TStammdatenForm::Neueingabe1Click);
    Kopierenundndern2 = action(Eingabe2, "Kopierenundndern2", QStringLiteral("&Kopieren und Ändern"),
                               &TStammdatenForm::Kopierenundndern1Click);
    EingabeMenu = {Eingabe2};
}

} // namespace trevo::shell::stammdaten
