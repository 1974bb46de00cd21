#include "materials/tce_node.h"

#include <mutex>

#include "framework/shared_ptr.h"
#include "framework/uuid.h"

namespace QvZin {

namespace {

// While a node of this thread releases its children, the descendants whose last
// reference goes with them wait here instead of being released from inside their
// parent's destructor: one loop releases a tree of any depth.
thread_local std::vector<CTCENode*>* tReleasing = nullptr;

}  // namespace

// ---- CZinNodeLink

void CZinNodeLink::set(CTCENode* node) {
  CZinSharedPtrBase* block = node ? node->controlBlock() : nullptr;
  if (block) block->addWeak();
  CZinSharedPtrBase* old = mBlock;
  mBlock = block;
  mNode = block ? node : nullptr;
  if (old) old->releaseWeak();
}

ITCENode* CZinNodeLink::lock() const {
  // The check and the count in one step: no node dies while the lock is held.
  std::lock_guard<Quorve::Platform::CRecursiveLock> guard(LibraryLock());
  if (!mBlock || !mBlock->hasObject()) return nullptr;
  ITCENode* node = mNode->asInterface();
  node->AddRef();
  return node;
}

// ---- CTCENode

CTCENode::CTCENode(IZinMgrRef* owner, ETCENodeType type) : mBasic(owner), mId(NewZinUUID()), mType(type) {}

CTCENode::~CTCENode() { releaseChildren(); }

CTCENode* CTCENode::From(ITCENode* node) { return node ? dynamic_cast<CTCENode*>(node) : nullptr; }

void CTCENode::releaseChildren() noexcept {
  if (mChildren.empty()) return;
  for (CTCENode* child : mChildren)
    if (child->mParent.is(this)) child->mParent.set(nullptr);
  if (tReleasing) {
    try {
      tReleasing->insert(tReleasing->end(), mChildren.begin(), mChildren.end());
      mChildren.clear();
      return;
    } catch (...) {
      // No room to queue them: this node releases its own, one level deeper.
    }
  }
  std::vector<CTCENode*> pending;
  pending.swap(mChildren);
  std::vector<CTCENode*>* outer = tReleasing;
  tReleasing = &pending;
  while (!pending.empty()) {
    CTCENode* child = pending.back();
    pending.pop_back();
    child->asInterface()->Release();
  }
  tReleasing = outer;
}

CTCENode* CTCENode::acceptable(ITCENode* node) {
  CTCENode* child = From(node);
  if (!child || child == this) return nullptr;
  // A cycle would make the tree immortal and every walk endless: this node must not
  // lie under child. A new node has no children, so reading never pays for this.
  if (child->mChildren.empty()) return child;
  try {
    std::vector<CTCENode*> stack(child->mChildren.begin(), child->mChildren.end());
    while (!stack.empty()) {
      CTCENode* at = stack.back();
      stack.pop_back();
      if (at == this) return nullptr;
      stack.insert(stack.end(), at->mChildren.begin(), at->mChildren.end());
    }
  } catch (...) {
    return nullptr;
  }
  return child;
}

void CTCENode::putChild(uint32_t index, ITCENode* node) {
  if (index > mChildren.size()) return;
  if (index == mChildren.size()) return appendChild(node);
  CTCENode* child = acceptable(node);
  if (child) replace(index, child);
}

void CTCENode::replace(uint32_t index, CTCENode* child) {
  CTCENode* old = mChildren[index];
  if (old != child) {
    child->asInterface()->AddRef();
    mChildren[index] = child;
  }
  child->mParent.set(this);
  if (old == child) return;
  if (old->mParent.is(this)) old->mParent.set(nullptr);
  old->asInterface()->Release();
}

void CTCENode::appendChild(ITCENode* node) {
  CTCENode* child = acceptable(node);
  if (!child) return;
  try {
    mChildren.push_back(child);
  } catch (...) {
    return;
  }
  child->asInterface()->AddRef();
  child->mParent.set(this);
}

void CTCENode::adopt(CTCENode* child) {
  mChildren.push_back(child);
  child->asInterface()->AddRef();
  child->mParent.set(this);
}

void CTCENode::adoptFirst(CTCENode* child) {
  if (mChildren.empty()) return adopt(child);
  replace(0, child);
}

void CTCENode::dropChild(uint32_t index) {
  if (index >= mChildren.size()) return;
  CTCENode* old = mChildren[index];
  mChildren.erase(mChildren.begin() + index);
  if (old->mParent.is(this)) old->mParent.set(nullptr);
  old->asInterface()->Release();
}

CTCENode* CTCENode::search(const CZinUUID& id) {
  try {
    // Depth first, the last child first: children go on the stack in order, so the
    // last one comes off first and its subtree is done before its elder sibling.
    std::vector<CTCENode*> stack{this};
    while (!stack.empty()) {
      CTCENode* at = stack.back();
      stack.pop_back();
      if (at->mId == id) return at;
      stack.insert(stack.end(), at->mChildren.begin(), at->mChildren.end());
    }
  } catch (...) {
    // No memory for the walk: nothing found.
  }
  return nullptr;
}

}  // namespace QvZin
