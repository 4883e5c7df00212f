#include "ui/ResourceTreeWidget.h"

#include "app/ResourceTree.h"
#include "ui/Icons.h"
#include "ui/LevelText.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>

namespace drossel::ui {
namespace {

// A node keeps its key and image number as plain members and answers them (and
// its icon) from data(): a level of 100,000 resources then stores one value per
// node instead of four.
class NodeItem : public QTreeWidgetItem {
public:
    NodeItem(const QString& text, QString key, int image, const QIcon* icon)
        : key_(std::move(key)), image_(image), icon_(icon) {
        setText(0, text);
    }

    QVariant data(int column, int role) const override {
        if (column == 0) {
            if (role == Qt::DecorationRole) return *icon_;
            if (role == ResourceTreeWidget::kKeyRole) return key_;
            if (role == ResourceTreeWidget::kImageRole) return image_;
        }
        return QTreeWidgetItem::data(column, role);
    }

    void SetImage(int image, const QIcon* icon) {
        if (image == image_) return;
        image_ = image;
        icon_ = icon;
        emitDataChanged();
    }

private:
    QString key_;
    int image_;
    const QIcon* icon_;
};

}  // namespace

ResourceTreeWidget::ResourceTreeWidget(QWidget* parent)
    : QTreeWidget(parent),
      groupImage_(TreeNodeIcon(kGroupImage)),
      selectedGroupImage_(TreeNodeIcon(kSelectedGroupImage)),
      resourceImage_(TreeNodeIcon(kResourceImage)) {
    setObjectName(QStringLiteral("TreeView1"));
    setColumnCount(1);
    header()->hide();
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QTreeWidget::currentItemChanged, this, &ResourceTreeWidget::ShowSelectedImage);
}

// The nodes point at this widget's images, so they go before the images do.
ResourceTreeWidget::~ResourceTreeWidget() {
    RemoveAllNodes();
}

void ResourceTreeWidget::RemoveAllNodes() {
    // The items go away with the model; nobody needs to hear about each of them.
    const QSignalBlocker blocker(this);
    clear();
    groupItems_.clear();
    resourceItems_.clear();
}

void ResourceTreeWidget::Fill(const ResourceTree& tree) {
    setUpdatesEnabled(false);
    RemoveAllNodes();

    std::int32_t highestIndex = -1;
    for (const GroupNode& group : tree.groups) {
        for (const ResourceNode& node : group.children) highestIndex = std::max(highestIndex, node.index);
    }
    resourceItems_.assign(static_cast<std::size_t>(highestIndex + 1), nullptr);

    QList<QTreeWidgetItem*> groups;
    groups.reserve(static_cast<qsizetype>(tree.groups.size()));
    for (const GroupNode& group : tree.groups) {
        auto* groupItem = new NodeItem(LevelText(group.text), LevelText(group.key), kGroupImage, &groupImage_);
        QList<QTreeWidgetItem*> children;
        children.reserve(static_cast<qsizetype>(group.children.size()));
        for (const ResourceNode& node : group.children) {
            auto* item = new NodeItem(LevelText(node.text), LevelText(node.key()), kResourceImage, &resourceImage_);
            children.append(item);
            if (node.index >= 0) resourceItems_[static_cast<std::size_t>(node.index)] = item;
        }
        groupItem->addChildren(children);
        groups.append(groupItem);
        groupItems_.push_back(groupItem);
    }
    {
        const QSignalBlocker blocker(this);
        addTopLevelItems(groups);
    }
    setUpdatesEnabled(true);
}

QTreeWidgetItem* ResourceTreeWidget::ItemOfKey(std::string_view key) const {
    for (QTreeWidgetItem* group : groupItems_) {
        if (KeyOf(group) == key) return group;
    }
    const auto index = IndexOfNodeKey(key);
    if (!index || static_cast<std::size_t>(*index) >= resourceItems_.size()) return nullptr;
    QTreeWidgetItem* item = resourceItems_[static_cast<std::size_t>(*index)];
    return item != nullptr && KeyOf(item) == key ? item : nullptr;
}

QTreeWidgetItem* ResourceTreeWidget::ItemOfIndex(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < resourceItems_.size()
               ? resourceItems_[static_cast<std::size_t>(index)]
               : nullptr;
}

std::string ResourceTreeWidget::KeyOf(const QTreeWidgetItem* item) {
    return item == nullptr ? std::string() : LevelBytes(item->data(0, kKeyRole).toString());
}

int ResourceTreeWidget::ImageOf(const QTreeWidgetItem* item) {
    return item == nullptr ? 0 : item->data(0, kImageRole).toInt();
}

bool ResourceTreeWidget::IsResourceNode(const QTreeWidgetItem* item) {
    return item != nullptr && item->parent() != nullptr && item->childCount() == 0;
}

void ResourceTreeWidget::ShowSelectedImage(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (previous != nullptr && previous->parent() == nullptr) {
        if (auto* node = dynamic_cast<NodeItem*>(previous)) node->SetImage(kGroupImage, &groupImage_);
    }
    if (current != nullptr && current->parent() == nullptr) {
        if (auto* node = dynamic_cast<NodeItem*>(current)) node->SetImage(kSelectedGroupImage, &selectedGroupImage_);
    }
}

void ResourceTreeWidget::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit clickedOrKeyReleased();
}

void ResourceTreeWidget::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr) {
        emit enterPressed();
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ResourceTreeWidget::keyReleaseEvent(QKeyEvent* event) {
    QTreeWidget::keyReleaseEvent(event);
    emit clickedOrKeyReleased();
}

void ResourceTreeWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

}  // namespace drossel::ui
