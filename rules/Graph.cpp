// rules/Graph.cpp
#include "rules/Graph.h"

GraphNode::~GraphNode() { Reset(); }

bool GraphNode::CanAddChild(GraphNode*) { return true; }
void GraphNode::OnAddChild(GraphNode*) {}
void GraphNode::OnSetParent(GraphNode*) {}

void GraphNode::AddChild(GraphNode* child) {
  if (child == nullptr || !CanAddChild(child)) return;
  child->AddRef();
  m_vChildren.push_back(child);
  OnAddChild(child);
  child->SetParent(this);
}

void GraphNode::SetParent(GraphNode* parent) {
  if (parent == nullptr) return;
  // Reference the new parent first: it may be the old one, held only by us.
  parent->AddRef();
  if (m_pParent != nullptr) m_pParent->Release();
  m_pParent = parent;
  OnSetParent(parent);
}

void GraphNode::Reset() {
  // Detach before releasing: a release may destroy a node that points back.
  GraphNode* parent = m_pParent;
  m_pParent = nullptr;
  std::vector<GraphNode*> children;
  children.swap(m_vChildren);
  if (parent != nullptr) parent->Release();
  for (GraphNode* child : children) child->Release();
}

GraphNode* GraphNode::GetChild(int i) const {
  if (i < 0 || i >= GetNumChildren()) return nullptr;
  return m_vChildren[i];
}
