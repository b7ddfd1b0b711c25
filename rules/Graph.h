// rules/Graph.h
#pragma once

#include "rules/RefCountedObject.h"

#include <vector>

enum GRAPH_NODE_TYPE {
  GRAPH_NODE_TYPE_NONE = -1,
  GRAPH_NODE_TYPE_RULE_TYPE = 0,
};

// A node of the hierarchy of derived rules. A parent holds a reference to
// each child and a child holds one to its parent, so a hierarchy keeps itself
// alive: whoever owns one must break it with Reset() on its nodes before
// releasing them.
class GraphNode : public RefCountedObject {
 public:
  explicit GraphNode(GRAPH_NODE_TYPE type = GRAPH_NODE_TYPE_NONE) : m_NodeType(type) {}

  // Ignored for null or when CanAddChild refuses; otherwise the child is
  // referenced and appended, OnAddChild runs, and the child's parent becomes
  // this node.
  void AddChild(GraphNode* child);
  // Ignored for null. Releases the old parent and references the new one.
  void SetParent(GraphNode* parent);
  // Releases the parent and all children.
  void Reset();

  GraphNode* GetParent() const { return m_pParent; }
  GRAPH_NODE_TYPE GetNodeType() const { return m_NodeType; }
  int GetNumChildren() const { return static_cast<int>(m_vChildren.size()); }
  // Null when i is out of range.
  GraphNode* GetChild(int i) const;

 protected:
  ~GraphNode() override;
  virtual bool CanAddChild(GraphNode* child);
  virtual void OnAddChild(GraphNode* child);
  virtual void OnSetParent(GraphNode* parent);

  void SetNodeType(GRAPH_NODE_TYPE type) { m_NodeType = type; }

 private:
  std::vector<GraphNode*> m_vChildren;
  GraphNode* m_pParent = nullptr;
  GRAPH_NODE_TYPE m_NodeType;
};
