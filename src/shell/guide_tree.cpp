#include "shell/guide_tree.h"

#include "common/fenster/window_codes.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace trevo::shell {

namespace {

struct Command {
    const char* text;
    int code;
};

// The seven commands of every group; the evening group has three evaluations more.
const Command commonCommands[] = {
    {"Liste", 0},  {"Neueingabe", 1}, {"Ändern", 10},       {"Sortierung", 30},
    {"Bereich (Filter)", 31}, {"Suchen", 32}, {"Liste drucken", 40},
};
const Command eveningCommands[] = {
    {"Auswerten - Aktueller Termin", 50},
    {"Auswerten - Zeitraum", 51},
    {"Auswerten - Rangliste", 52},
};

struct Group {
    const char* text;
    int code;
};
const Group groups[] = {
    {"Termin", common::Fenster::Termine},       {"Mitglieder/Gastkegler", common::Fenster::Mitglieder},
    {"Spiele", common::Fenster::Spiele},        {"Sonstige Beträge", common::Fenster::Sonstige},
    {"Kegelkasse", common::Fenster::Kegelkasse}, {"Terminplan", common::Fenster::Terminplan},
    {"Terminarten", common::Fenster::Terminarten}, {"Ämter", common::Fenster::Aemter},
};

QTreeWidgetItem* node(const QString& text, GuideNodeKind kind, int code, int command)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, GuideTree::KindRole, static_cast<int>(kind));
    item->setData(0, GuideTree::CodeRole, code);
    item->setData(0, GuideTree::CommandRole, command);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

GuideTree::GuideTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemExpanded, this, [this] { expansionFlag_ = true; });
    connect(this, &QTreeWidget::itemCollapsed, this, [this] { expansionFlag_ = true; });
}

void GuideTree::build()
{
    clear();
    for (const Group& g : groups) {
        QTreeWidgetItem* group = node(QString::fromUtf8(g.text), GuideNodeKind::Group, g.code, 0);
        for (const Command& c : commonCommands)
            group->addChild(node(QString::fromUtf8(c.text), GuideNodeKind::Window, g.code, c.code));
        if (g.code == common::Fenster::Termine)
            for (const Command& c : eveningCommands)
                group->addChild(node(QString::fromUtf8(c.text), GuideNodeKind::Window, g.code, c.code));
        addTopLevelItem(group);
    }
    addTopLevelItem(node(QStringLiteral("Optionen"), GuideNodeKind::Options, common::Fenster::Optionen, 0));
    addTopLevelItem(node(QStringLiteral("Programm beenden"), GuideNodeKind::EndProgram, 0, 0));
    expansionFlag_ = false;
}

void GuideTree::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (expansionFlag_) {
        expansionFlag_ = false;
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && (item->flags() & Qt::ItemIsEnabled)) emit nodeActivated(item);
}

void GuideTree::mouseReleaseEvent(QMouseEvent* event)
{
    // Some styles expand on release; that click has done its work too.
    QTreeWidget::mouseReleaseEvent(event);
    expansionFlag_ = false;
}

void GuideTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click only expands or collapses; it never runs a command twice.
    QTreeWidget::mouseDoubleClickEvent(event);
    expansionFlag_ = false;
}

void GuideTree::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QTreeWidgetItem* item = currentItem();
        if (item && (item->flags() & Qt::ItemIsEnabled)) emit nodeActivated(item);
        return;
    }
    QTreeWidget::keyPressEvent(event);
    // Expanding with the keyboard must not swallow the next mouse click.
    expansionFlag_ = false;
}

} // namespace trevo::shell
