#pragma once
// TreeView1: the resource tree as a widget. It shows a ResourceTree built by the
// core, remembers every node's key and image, and reports clicks, key releases
// and double clicks to the main window.

#include <QIcon>
#include <QTreeWidget>
#include <cstdint>
#include <string_view>
#include <vector>

namespace drossel {
struct ResourceTree;
}

namespace drossel::ui {

class ResourceTreeWidget : public QTreeWidget {
    Q_OBJECT

public:
    static constexpr int kKeyRole = Qt::UserRole;        // the node key, "TXMP" or "k12"
    static constexpr int kImageRole = Qt::UserRole + 1;  // the node image number

    explicit ResourceTreeWidget(QWidget* parent = nullptr);
    ~ResourceTreeWidget() override;

    // Replaces all nodes with the tree's, in one pass and without a layout per node.
    void Fill(const ResourceTree& tree);
    void RemoveAllNodes();
    bool HasNodes() const { return topLevelItemCount() > 0; }
    // The node with this key, or nullptr.
    QTreeWidgetItem* ItemOfKey(std::string_view key) const;
    // The node of the resource at this table index, or nullptr when it is not listed.
    QTreeWidgetItem* ItemOfIndex(std::int32_t index) const;

    static std::string KeyOf(const QTreeWidgetItem* item);
    static int ImageOf(const QTreeWidgetItem* item);
    // A resource node hangs under a group and has no children of its own.
    static bool IsResourceNode(const QTreeWidgetItem* item);

signals:
    void clickedOrKeyReleased();
    void doubleClicked();
    // Enter or Return was pressed on the selected node.
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowSelectedImage(QTreeWidgetItem* current, QTreeWidgetItem* previous);

    QIcon groupImage_;
    QIcon selectedGroupImage_;
    QIcon resourceImage_;
    std::vector<QTreeWidgetItem*> groupItems_;
    std::vector<QTreeWidgetItem*> resourceItems_;  // by table index; nullptr for unlisted records
};

}  // namespace drossel::ui
