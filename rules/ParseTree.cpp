// rules/ParseTree.cpp
#include "rules/ParseTree.h"

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <unordered_set>

const char* const TreeNode::kInteriorMarker = "iNtErIoR";

namespace {

[[noreturn]] void FormatError(const std::string& text) {
  std::cerr << "format error in|" << text << "|: no closing right paren found.\n";
  std::exit(1);
}

// Tracks whether a scan of tree text is inside a leaf's quoted word, so that
// parentheses in words such as ')' are not counted. A quote opens a word
// after a blank (or at the start of the text) and closes it when followed by
// ')', '[' or the end; an apostrophe inside a word (DON'T) does neither.
class QuoteTracker {
 public:
  explicit QuoteTracker(const std::string& text) : text_(text) {}
  // Call for each position in order; true when text_[i] is outside quotes
  // and is not itself a quote.
  bool Outside(size_t i) {
    const char c = text_[i];
    if (c != '\'') return !inside_;
    if (!inside_) {
      if (i == 0 || text_[i - 1] == ' ') inside_ = true;
      return false;
    }
    const char next = i + 1 < text_.size() ? text_[i + 1] : ')';
    if (next == ')' || next == '[') inside_ = false;
    return false;
  }

 private:
  const std::string& text_;
  bool inside_ = false;
};

// Position of the first '(' outside quotes at or after `from`, or npos.
size_t FindOpen(const std::string& text, size_t from) {
  QuoteTracker q(text);
  for (size_t i = 0; i < text.size(); ++i)
    if (q.Outside(i) && i >= from && text[i] == '(') return i;
  return std::string::npos;
}

// Position of the ')' that closes the '(' at `open`, or npos.
size_t FindClose(const std::string& text, size_t open) {
  QuoteTracker q(text);
  int depth = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!q.Outside(i) || i < open) continue;
    if (text[i] == '(') ++depth;
    if (text[i] == ')' && --depth == 0) return i;
  }
  return std::string::npos;
}

// How many words of the translation a leaf's quoted text stands for.
int CountWords(const std::string& word) {
  std::string inner = word;
  if (inner.size() >= 2 && inner.front() == '\'' && inner.back() == '\'')
    inner = inner.substr(1, inner.size() - 2);
  std::istringstream in(inner);
  std::string w;
  int n = 0;
  while (in >> w) ++n;
  return n;
}

void PrintNode(const TreeNode* node, std::ostream& out) {
  if (!node) {
    out << "NULL subroot\n";
    return;
  }
  out << "\n";
  if (!node->Children.empty()) {
    out << "(" << node->Label << " ";
    for (const auto& child : node->Children) PrintNode(child.get(), out);
    out << ")";
  } else {
    out << "(" << node->Label << " " << node->Word << ")";
  }
}

}  // namespace

TreeNode::TreeNode(const TreeNode& other) { CopySubtree(other); }

TreeNode& TreeNode::operator=(const TreeNode& other) {
  if (this != &other) {
    // Copy first: `other` may lie inside the subtree about to be replaced.
    TreeNode copy(other);
    Label = std::move(copy.Label);
    Word = std::move(copy.Word);
    Children = std::move(copy.Children);
    for (auto& child : Children) child->Parent = this;
  }
  return *this;
}

void TreeNode::CopySubtree(const TreeNode& other) {
  Label = other.Label;
  Word = other.Word;
  Children.clear();
  for (const auto& child : other.Children) {
    auto copy = std::make_unique<TreeNode>(*child);
    copy->Parent = this;
    Children.push_back(std::move(copy));
  }
}

TreeNode* TreeNode::AddChild() {
  Children.push_back(std::make_unique<TreeNode>());
  Children.back()->Parent = this;
  Children.back()->Word = kInteriorMarker;
  return Children.back().get();
}

int TreeNode::GetChildPos(const TreeNode* child) const {
  for (size_t i = 0; i < Children.size(); ++i)
    if (Children[i].get() == child) return static_cast<int>(i);
  return -1;
}

TreeNode* TreeNode::GetFirstCommonParent(const TreeNode* other) {
  if (!other || other == this) return nullptr;
  std::unordered_set<const TreeNode*> above;
  for (const TreeNode* n = this; n; n = n->Parent) above.insert(n);
  for (const TreeNode* n = other; n; n = n->Parent)
    if (above.count(n)) return const_cast<TreeNode*>(n);
  return nullptr;
}

TreeNode* TreeNode::GetChildOfParentNodeIsIn(const TreeNode* parent, int& iChild) {
  if (!parent) return nullptr;
  for (TreeNode* n = this; n; n = n->Parent) {
    if (n->Parent == parent) {
      iChild = parent->GetChildPos(n);
      return n;
    }
  }
  return nullptr;
}

POS_TYPE TreeNode::GetPOS() const {
  std::string category = Label.substr(0, Label.find(','));
  return KalRule::GetPOSTypeFromString(category);
}

void TreeNode::GetPOSofLevel(std::vector<POS_TYPE>& vPOS) const {
  vPOS.clear();
  if (!Parent) return;
  for (const auto& sibling : Parent->Children) vPOS.push_back(sibling->GetPOS());
}

int TreeNode::GetNodePosOnLevel() const { return Parent ? Parent->GetChildPos(this) : -1; }

ParseTree::ParseTree(const ParseTree& other) { *this = other; }

ParseTree& ParseTree::operator=(const ParseTree& other) {
  if (this == &other) return *this;
  std::unique_ptr<TreeNode> root = other.Root ? std::make_unique<TreeNode>(*other.Root) : nullptr;
  Root = std::move(root);
  m_CStructure = other.m_CStructure;
  m_vLeaves.clear();
  if (Root) CollectLeaves(Root.get());
  return *this;
}

void ParseTree::CollectLeaves(TreeNode* node) {
  if (node->Children.empty()) {
    AddLeaf(node);
    return;
  }
  for (auto& child : node->Children) CollectLeaves(child.get());
}

void ParseTree::AddLeaf(TreeNode* node) {
  for (int n = CountWords(node->Word); n > 0; --n) m_vLeaves.push_back(node);
}

void ParseTree::ProcessCStructureIntoTree(std::string CStructure) {
  m_CStructure = CStructure;
  m_vLeaves.clear();
  Root = std::make_unique<TreeNode>();
  Root->Word = TreeNode::kInteriorMarker;
  if (CStructure.empty() || CStructure[0] != '(') FormatError(CStructure);
  BuildNode(std::move(CStructure), Root.get());
}

void ParseTree::BuildNode(std::string text, TreeNode* node) {
  text.erase(0, 1);
  const size_t blank = text.find(' ');
  node->Label = text.substr(0, blank);
  text = blank == std::string::npos ? "" : text.substr(blank + 1);

  for (size_t open; (open = FindOpen(text, 0)) != std::string::npos;) {
    const size_t close = FindClose(text, open);
    if (close == std::string::npos) FormatError(text.substr(open));
    std::string piece = text.substr(open, close - open + 1);
    text.erase(0, close + 1);
    BuildNode(std::move(piece), node->AddChild());
  }

  // The tail: the leaf's word, or only closing parentheses and blanks.
  size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return;
  text.erase(0, start);
  if (text.back() != ')') FormatError(text);
  text.pop_back();
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.back() == ')') text.pop_back();
  if (text.empty()) return;
  // A word may be followed by "[n]"; the bracket is not part of it.
  size_t bracket = text.rfind('[');
  if (bracket != std::string::npos && bracket > 0 && text[bracket - 1] == '\'')
    text.erase(bracket);
  node->Word = text;
  AddLeaf(node);
}

TreeNode* ParseTree::GetLeaf(int iLeaf) const {
  if (iLeaf < 0 || iLeaf >= static_cast<int>(m_vLeaves.size())) return nullptr;
  return m_vLeaves[static_cast<size_t>(iLeaf)];
}

TreeNode* ParseTree::FindNode(std::string szWord) const {
  for (char& c : szWord) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::string quoted = "'" + szWord + "'";
  std::vector<TreeNode*> stack;
  stack.push_back(Root.get());
  while (!stack.empty()) {
    TreeNode* n = stack.back();
    stack.pop_back();
    if (!n) continue;
    if (n->Word == quoted) return n;
    for (auto& child : n->Children) stack.push_back(child.get());
  }
  return nullptr;
}

POS_TYPE ParseTree::getPOSofWord(std::string& szWord) const {
  const TreeNode* n = FindNode(szWord);
  return n ? n->GetPOS() : POS_TYPE_NONE;
}

std::string ParseTree::GetCommonRule(int iPos1, int iPos2) const {
  TreeNode* a = GetLeaf(iPos1 - 1);
  TreeNode* b = GetLeaf(iPos2 - 1);
  if (!a || !b) return "";
  TreeNode* common = a->GetFirstCommonParent(b);
  return common ? common->Label : "";
}

std::string ParseTree::TreeToString() const {
  std::ostringstream out;
  PrintNode(Root.get(), out);
  return out.str();
}

void ParseTree::PrintTree() const { std::cout << TreeToString(); }
