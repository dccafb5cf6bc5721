#pragma once
// The guide window ("Lotse"): a tree through which the user reaches every data window
// and its common commands. It docks at the left of the main window or floats; closing
// it only hides it.
#include <QDockWidget>

class QAction;
class QPushButton;
class QTreeWidgetItem;

namespace trevo::shell {

class GuideTree;
class ShellServices;
class WindowRegistry;

class LotsenDlg : public QDockWidget {
    Q_OBJECT
public:
    LotsenDlg(ShellServices& shell, const WindowRegistry& registry, QWidget* parent = nullptr);

    // Runs a node: activates the group's window and sends its command code.
    void activate(QTreeWidgetItem* item);
    // Greys the nodes whose window does not exist in this program yet.
    void updateAvailability();

    bool stayOnTop() const { return stayOnTop_; }
    void setStayOnTop(bool on);

    // Node by its path of texts, e.g. {"Termin", "Auswerten - Zeitraum"}; nullptr if absent.
    QTreeWidgetItem* findNode(const QStringList& path) const;

    GuideTree* TreeView1 = nullptr;
    QAction* ImmerimVordergrund1 = nullptr;
    QPushButton* SchliessenBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyStayOnTop();

    ShellServices& shell_;
    const WindowRegistry& registry_;
    bool stayOnTop_ = false;
};

} // namespace trevo::shell
