#pragma once
// The tree of a page as data: nodes with a label, a parent, children in display order, the object
// they carry and an image index. A view draws it and hands back node ids.
//
// Node ids are never reused by a tree: a rebuild (Clear, then Insert) gives new ids, so an id that a
// view kept from before the rebuild finds nothing instead of another node. Id 0 is no node.
//
// A view that shows a copy of the tree keeps up with it by its build (which a Clear moves on) and
// its changes: the nodes whose image SetImage changed since the view last took them.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace wf::ui {

using NodeId = std::uint32_t;
inline constexpr NodeId kNoNode = 0;

template <class Data>
class PageTree {
 public:
  struct Node {
    NodeId id = kNoNode;
    NodeId parent = kNoNode;  // kNoNode for a top-level node
    std::string label;
    Data data{};
    int image = 0;
    std::vector<NodeId> children;  // in display order
  };

  // Appends a node as the last child of `parent` (kNoNode: at the top level); returns its id.
  NodeId Insert(NodeId parent, std::string label, Data data, int image = 0) {
    const NodeId id = nextId_++;
    nodes_.push_back(Node{id, parent, std::move(label), std::move(data), image, {}});
    if (Node* p = Find(parent)) {
      p->children.push_back(id);
    } else {
      nodes_.back().parent = kNoNode;
      topLevel_.push_back(id);
    }
    return id;
  }

  // Removes every node. Ids handed out so far stay unknown from now on.
  void Clear() {
    nodes_.clear();
    topLevel_.clear();
    changed_.clear();
    firstId_ = nextId_;
    ++build_;
  }

  // Sets a node's image and notes the node as changed.
  void SetImage(NodeId id, int image) {
    Node* node = Find(id);
    if (node == nullptr || node->image == image) return;
    node->image = image;
    changed_.push_back(id);
  }
  // The nodes changed since the last call, each once.
  std::vector<NodeId> TakeChanges() {
    std::sort(changed_.begin(), changed_.end());
    changed_.erase(std::unique(changed_.begin(), changed_.end()), changed_.end());
    return std::exchange(changed_, {});
  }
  // Moves on with every Clear.
  std::uint64_t build() const { return build_; }

  // The node with this id, or null.
  const Node* Find(NodeId id) const {
    if (id < firstId_ || id >= nextId_) return nullptr;
    return &nodes_[id - firstId_];
  }
  Node* Find(NodeId id) {
    if (id < firstId_ || id >= nextId_) return nullptr;
    return &nodes_[id - firstId_];
  }

  // Sorts the children of `id` (kNoNode: the top level) with `less` on their nodes; equal nodes keep
  // their order.
  template <class Less>
  void SortChildren(NodeId id, Less less) {
    std::vector<NodeId>* children = id == kNoNode ? &topLevel_ : nullptr;
    if (Node* node = Find(id)) children = &node->children;
    if (children == nullptr) return;
    std::stable_sort(children->begin(), children->end(),
                     [&](NodeId a, NodeId b) { return less(*Find(a), *Find(b)); });
  }

  const std::vector<NodeId>& TopLevel() const { return topLevel_; }
  bool empty() const { return nodes_.empty(); }
  std::size_t size() const { return nodes_.size(); }

  // Calls fn(node, depth) for every node below the top level of `id` (kNoNode: the whole tree),
  // parents before children, in display order; `id` itself comes first at depth 0.
  template <class Fn>
  void Walk(NodeId id, Fn&& fn) const {
    if (id == kNoNode) {
      for (NodeId top : topLevel_) WalkFrom(top, 0, fn);
    } else if (Find(id) != nullptr) {
      WalkFrom(id, 0, fn);
    }
  }

 private:
  template <class Fn>
  void WalkFrom(NodeId id, int depth, Fn& fn) const {
    const Node& node = *Find(id);
    fn(node, depth);
    for (NodeId child : node.children) WalkFrom(child, depth + 1, fn);
  }

  std::vector<Node> nodes_;  // nodes_[i] has id firstId_ + i
  std::vector<NodeId> topLevel_;
  std::vector<NodeId> changed_;
  std::uint64_t build_ = 0;
  NodeId firstId_ = 1;
  NodeId nextId_ = 1;
};

}
