// rules/ParseTree.h
#pragma once

#include "rules/KalRule.h"  // POS_TYPE

#include <memory>
#include <string>
#include <vector>

// One node of a translation's target tree. Inner nodes carry the ID of the
// grammar rule that built them and the word marker "iNtErIoR"; leaves carry
// the ID of their lexical rule (or "LITERAL") and the word in single quotes.
// A node owns its children; copying a node copies its whole subtree.
class TreeNode {
 public:
  static const char* const kInteriorMarker;  // "iNtErIoR"

  TreeNode() = default;
  TreeNode(const TreeNode& other);
  TreeNode& operator=(const TreeNode& other);
  ~TreeNode() = default;

  // Appends a new child with this node as parent and returns it.
  TreeNode* AddChild();

  // Index of `child` among the children, -1 when it is not one of them.
  int GetChildPos(const TreeNode* child) const;
  // The lowest node above both this node and `other` (each counting as lying
  // above itself); null when `other` is null or this node.
  TreeNode* GetFirstCommonParent(const TreeNode* other);
  // Walking up from this node: the node whose parent is `parent`, and its
  // index among `parent`'s children. Null (iChild untouched) when `parent`
  // is null or does not lie above this node.
  TreeNode* GetChildOfParentNodeIsIn(const TreeNode* parent, int& iChild);
  // The category named by the label up to its first ','.
  POS_TYPE GetPOS() const;
  // The categories of this node and its siblings, in order; empty for the root.
  void GetPOSofLevel(std::vector<POS_TYPE>& vPOS) const;
  // Index of this node among its parent's children; -1 for the root.
  int GetNodePosOnLevel() const;

  std::string Label;
  std::string Word;
  TreeNode* Parent = nullptr;
  std::vector<std::unique_ptr<TreeNode>> Children;

 private:
  void CopySubtree(const TreeNode& other);
};

// The generated target tree of one translation, read from its tree text.
// Leaves hold the target words in sentence order: word p is GetLeaf(p - 1).
// A leaf whose quoted text holds several words stands for each of them, and
// one with an empty text for none, so that positions stay those of the
// translation's words. On an empty tree, queries return null, -1,
// POS_TYPE_NONE or "".
class ParseTree {
 public:
  ParseTree() = default;
  ParseTree(const ParseTree& other);
  ParseTree& operator=(const ParseTree& other);
  ~ParseTree() = default;

  // Builds the tree from tree text; called once, on an empty tree. Malformed
  // text ends the process with status 1 after a "format error in|...|"
  // message on the error stream.
  void ProcessCStructureIntoTree(std::string CStructure);
  std::string GetCStructure() const { return m_CStructure; }
  bool IsEmpty() const { return Root == nullptr; }

  TreeNode* GetLeaf(int iLeaf) const;
  int GetNumLeaves() const { return static_cast<int>(m_vLeaves.size()); }
  // The last leaf (in sentence order) whose word is `szWord`, upper-cased
  // byte by byte and put in single quotes.
  TreeNode* FindNode(std::string szWord) const;
  POS_TYPE getPOSofWord(std::string& szWord) const;
  // The label of the lowest node above the leaves of two 1-based word
  // positions; "" when a position has no leaf or both name the same leaf.
  std::string GetCommonRule(int iPos1, int iPos2) const;
  // Prints the tree to standard output, one node per line.
  void PrintTree() const;
  // The printed form, as PrintTree writes it.
  std::string TreeToString() const;

  TreeNode* GetRoot() const { return Root.get(); }

 private:
  void BuildNode(std::string text, TreeNode* node);
  void CollectLeaves(TreeNode* node);
  void AddLeaf(TreeNode* node);

  std::unique_ptr<TreeNode> Root;
  std::string m_CStructure;
  std::vector<TreeNode*> m_vLeaves;
};
