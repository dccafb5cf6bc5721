#pragma once
// The tree of the guide window. A mouse press on a node activates it, unless the press
// expanded or collapsed a node: then the expansion flag is cleared and nothing else
// happens. Enter activates the selected node.
#include <QTreeWidget>

namespace trevo::shell {

// What a node of the guide does.
enum class GuideNodeKind { Group, Window, Options, EndProgram };

class GuideTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit GuideTree(QWidget* parent = nullptr);

    static constexpr int KindRole = Qt::UserRole;
    static constexpr int CodeRole = Qt::UserRole + 1;    // window code of the node
    static constexpr int CommandRole = Qt::UserRole + 2; // guide command code, 0 for "Liste"

    // Fills the tree with the groups and their commands.
    void build();

    bool expansionFlag() const { return expansionFlag_; }
    void clearExpansionFlag() { expansionFlag_ = false; }

signals:
    void nodeActivated(QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool expansionFlag_ = false;
};

} // namespace trevo::shell
