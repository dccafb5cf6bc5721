#include "shell/guide_window.h"

#include "shell/child_window.h"
#include "dbcontrols/command_guard.h"
#include "shell/guide_tree.h"
#include "shell/shell_services.h"
#include "common/fenster/window_codes.h"
#include "shell/window_registry.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace trevo::shell {

LotsenDlg::LotsenDlg(ShellServices& shell, const WindowRegistry& registry, QWidget* parent)
    : QDockWidget(QStringLiteral("Lotse"), parent), shell_(shell), registry_(registry)
{
    setObjectName(QStringLiteral("LotsenDlg"));
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    auto* content = new QWidget(this);
    auto* menuBar = new QMenuBar(content);
    QMenu* align = menuBar->addMenu(QStringLiteral("&Ausrichten"));
    ImmerimVordergrund1 = align->addAction(QStringLiteral("Immer im Vordergrund"));
    ImmerimVordergrund1->setCheckable(true);

    TreeView1 = new GuideTree(content);
    TreeView1->setFont(QFont(QStringLiteral("Arial"), 8));
    TreeView1->build();
    TreeView1->setMinimumWidth(80);
    content->setMinimumWidth(100);
    SchliessenBtn = new QPushButton(QStringLiteral("&Schließen"), content);

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 0, 2, 4);
    layout->setSpacing(4);
    layout->setMenuBar(menuBar);
    layout->addWidget(TreeView1, 1);
    layout->addWidget(SchliessenBtn);
    setWidget(content);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), content);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(SchliessenBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(ImmerimVordergrund1, &QAction::triggered, this, [this](bool on) { setStayOnTop(on); });
    connect(TreeView1, &GuideTree::nodeActivated, this,
            [this](QTreeWidgetItem* item) { controls::runGuarded([this, item] { activate(item); }); });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) resize(220, 430); // the floating window's own size, not the dock's height
        applyStayOnTop();
    });

    ImmerimVordergrund1->setChecked(stayOnTop_);
    move(1, 1);
    resize(220, 430);
    updateAvailability();
}

void LotsenDlg::updateAvailability()
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* group = TreeView1->topLevelItem(i);
        const auto kind = static_cast<GuideNodeKind>(group->data(0, GuideTree::KindRole).toInt());
        const int code = group->data(0, GuideTree::CodeRole).toInt();
        const bool available = kind == GuideNodeKind::EndProgram || registry_.hasWindow(code);
        for (int c = 0; c < group->childCount(); ++c) {
            QTreeWidgetItem* child = group->child(c);
            child->setFlags(available ? child->flags() | Qt::ItemIsEnabled : child->flags() & ~Qt::ItemIsEnabled);
        }
        if (kind == GuideNodeKind::Options)
            group->setFlags(available ? group->flags() | Qt::ItemIsEnabled : group->flags() & ~Qt::ItemIsEnabled);
    }
}

void LotsenDlg::activate(QTreeWidgetItem* item)
{
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
    const auto kind = static_cast<GuideNodeKind>(item->data(0, GuideTree::KindRole).toInt());
    const int code = item->data(0, GuideTree::CodeRole).toInt();
    switch (kind) {
    case GuideNodeKind::Group: return;
    case GuideNodeKind::Options: shell_.FensterAktivieren(common::Fenster::Optionen); return;
    case GuideNodeKind::EndProgram: shell_.ProgrammBeenden(); return;
    case GuideNodeKind::Window: break;
    }
    shell_.FensterAktivieren(code);
    const int command = item->data(0, GuideTree::CommandRole).toInt();
    if (command == 0) return;
    const auto lotsencode = shell::lotsencode(command);
    if (!lotsencode) return;
    if (ChildWindow* window = shell_.Fensterobjekt(code)) window->Lotsenbefehl(*lotsencode);
}

QTreeWidgetItem* LotsenDlg::findNode(const QStringList& path) const
{
    QTreeWidgetItem* found = nullptr;
    for (const QString& text : path) {
        QTreeWidgetItem* next = nullptr;
        const int count = found ? found->childCount() : TreeView1->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* candidate = found ? found->child(i) : TreeView1->topLevelItem(i);
            if (candidate->text(0) == text) next = candidate;
        }
        if (!next) return nullptr;
        found = next;
    }
    return found;
}

void LotsenDlg::setStayOnTop(bool on)
{
    stayOnTop_ = on;
    ImmerimVordergrund1->setChecked(on);
    applyStayOnTop();
}

void LotsenDlg::applyStayOnTop()
{
    if (!isFloating()) return;
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop_);
    if (visible) show();
}

void LotsenDlg::showEvent(QShowEvent* event)
{
    TreeView1->clearExpansionFlag();
    updateAvailability();
    QDockWidget::showEvent(event);
}

} // namespace trevo::shell
